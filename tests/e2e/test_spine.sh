#!/usr/bin/env bash
# "Auto" through a whole turn of a shaft with a known spine (3 % at 40
# degrees) and bend (0.3 at 200 degrees). Every turn of the shaft dips the
# load before it settles, and neighbouring angles differ by less than the
# steady band, so only the dip tells one angle from the next. "Auto" goes on
# (F9) at 0 degrees; it records each angle once, in its own row, turns itself
# off when the last row is filled, and the next turn's loads go nowhere. The
# stiff plane and the bend in the exported report are the simulated ones, the
# plane within 2 degrees.
source "$(dirname "$0")/lib.sh"

e2e_bench_test spine

e2e_start_x 1280x900x24
start_bench spine --sequence shaft:spine=3@40,bend=0.3@200,noise=0.01,mean=50,step=30 --rate 10
e2e_start_app
win=$(e2e_main_window 60) || fail "no main window"
choose_and_open_port
focus "$win"
key alt+t ctrl+Tab
key alt+e
shot polar-reset
from=$(events)
focus "$win"
key F9
shot auto-on

# The shaft turns on once the program has taken the angle it is at.
for n in $(seq 12); do
  wait_event "$from" '^status Recorded .* automatically' $n 30 \
    || fail "angle $(( (n - 1) * 30 )) was not recorded: $(events_since "$from" '^status')"
  bench next
done
wait_event "$from" 'automatically\. ' 1 5 || fail "Auto did not say it stopped at a full table"
# The next turn's second angle, settled: it must go nowhere.
bench next
from=$(events)
wait_event "$from" '^reading ' 30 || fail "the readings stopped"
shot auto-done
save_as "$work/turn.txt"

# Each row within 0.3 % of the simulated load at its angle.
mapfile -t rows < <(export_rows "$work/turn.txt")
[ ${#rows[@]} = 12 ] || fail "the export has ${#rows[@]} rows: $(cat -A "$work/turn.txt")"
printf '%s\n' "${rows[@]}" | awk -F, '
  function load(deg,  a) { a = deg * 3.14159265358979 / 180
    return 50 * (1 + 3 / 200 * cos(2 * (a - 40 * 3.14159265358979 / 180))) + 0.3 * cos(a - 200 * 3.14159265358979 / 180) }
  { want = load($1); d = $2 - want; if (d < 0) d = -d
    if ($2 == "" || d > 0.003 * want) { print "row at " $1 " degrees: " $2 ", expected " want " within 0.3 %"; bad = 1 } }
  END { exit bad }' >"$E2E_OUT/check.out" || fail "$(cat "$E2E_OUT/check.out")"

focus "$win"
key alt+l
shot polar-plotted
focus "$win"
key alt+f e
answer_dialog "Save As" "$work/turn.pdf"
e2e_until 10 test -s "$work/turn.pdf" || fail "no report was exported"
pdftotext -layout "$work/turn.pdf" "$work/turn-report.txt"
angle=$(grep -o 'Spine [0-9.]*°' "$work/turn-report.txt" | grep -o '[0-9.]*' | head -n 1)
[ -n "$angle" ] || fail "the report names no spine angle: $(cat "$work/turn-report.txt")"
awk -v a="$angle" 'BEGIN { d = a - 40; if (d < 0) d = -d; exit !(d <= 2) }' \
  || fail "spine at $angle degrees, simulated at 40: $(grep -A4 'Spine and bend' "$work/turn-report.txt")"
grep -q 'Bend 0\.[23][0-9]* at \(19[0-9]\|20[0-9]\|21[0-9]\)°' "$work/turn-report.txt" \
  || fail "the bend is not the simulated 0.3 at 200 degrees: $(grep -A4 'Spine and bend' "$work/turn-report.txt")"
pass
