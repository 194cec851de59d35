#!/usr/bin/env bash
# "Auto" at the bench: the simulator moves through six loads, each after the
# dip of moving the shaft and approached with a time constant of half a
# second, plus noise. With "Auto" on (F9) the
# program records each load once it has settled, and nothing while it moves:
# the table's loads are the six, in order, each within 0.3 % of its load.
source "$(dirname "$0")/lib.sh"

e2e_bench_test auto

LOADS="20 35 50 65 80 95"
# A step of 15 approached with a time constant of half a second has settled
# (flat within a quarter of the band over the window) about 4 s after the
# move; eight leave room on a busy machine.
HOLD=8
# The first load lasts while the window starts and the table is laid out.
FIRST_HOLDS=4
sequence="settle$(for _ in $(seq $FIRST_HOLDS); do printf ':20'; done):35:50:65:80:95"

e2e_start_x 1280x900x24
start_bench auto --sequence "$sequence" --hold $HOLD --rate 10 --noise 0.01
bench_start=$(date +%s)
e2e_start_app
win=$(e2e_main_window 60) || fail "no main window"
choose_and_open_port

# Seven rows: a seventh value would be a reading taken in between.
focus "$win"
key alt+t; typetext 1; key Tab; typetext 1; key Tab; typetext 7; key Tab space
key F9
[ $(( $(date +%s) - bench_start )) -lt $(( FIRST_HOLDS * HOLD )) ] || fail "the window took too long to start: the first load had passed"
shot auto-on

# The last load, settled, and some time for anything that would follow it.
settled_by=$(( bench_start + (FIRST_HOLDS + 5) * HOLD + 4 ))
while [ "$(date +%s)" -lt "$settled_by" ]; do sleep 1; done
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
