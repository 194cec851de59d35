#!/usr/bin/env bash
# "Auto" at the bench: the shaft is moved through six loads, each move
# dipping the load before it settles with a time constant of half a second,
# plus noise. With "Auto" on (F9) the program records each load once it has
# settled, and nothing while it moves nor while it stays: the table's loads
# are the six, in order, each within 0.3 % of its load, and a seventh row
# stays empty.
source "$(dirname "$0")/lib.sh"

e2e_bench_test auto

LOADS="20 35 50 65 80 95"

e2e_start_x 1280x900x24
start_bench auto --sequence "settle:${LOADS// /:}" --rate 10 --noise 0.01
e2e_start_app
win=$(e2e_main_window 60) || fail "no main window"
choose_and_open_port

focus "$win"
key alt+t; typetext 1; key Tab; typetext 1; key Tab; typetext 7; key Tab space
from=$(events)
key F9
shot auto-on

# The shaft moves on once the program has taken the load it is at.
n=0
for load in $LOADS; do
  n=$((n + 1))
  wait_event "$from" '^status Recorded .* automatically' $n 30 \
    || fail "load $load was not recorded: $(events_since "$from" '^status')"
  [ $n = 6 ] || bench next
done
# The last load stays: three seconds of it must add nothing.
from=$(events)
wait_event "$from" '^reading ' 30 || fail "the readings stopped"
shot auto-done
save_as "$work/auto.txt"

mapfile -t rows < <(export_rows "$work/auto.txt")
[ ${#rows[@]} = 7 ] || fail "the export has ${#rows[@]} rows: $(cat -A "$work/auto.txt")"
printf '%s\n' "${rows[@]}" | awk -F, -v loads="$LOADS" '
  BEGIN { n = split(loads, l, " ") }
  NR <= n { d = $2 - l[NR]; if (d < 0) d = -d
            if ($2 == "" || d > 0.003 * l[NR]) { print "row " NR ": " $2 ", expected " l[NR] " within 0.3 %"; bad = 1 } }
  NR > n && $2 != "" { print "row " NR " holds " $2 ": a reading taken in between"; bad = 1 }
  END { exit bad }' >"$E2E_OUT/check.out" || fail "$(cat "$E2E_OUT/check.out")"
pass
