#!/usr/bin/env bash
# The bench turns a shaft with a known spine (3 % at 40 degrees) and bend (0.3
# at 200 degrees), read with noise. The operator resets the polar table to 30
# degrees, records a turn with "Add" as the bench reaches each angle, and
# plots. The stiff plane the program names lies within 2 degrees of the
# simulated one. The figures are read from the exported report, which prints
# the panel's lines, and the panel is looked at in the screenshot.
source "$(dirname "$0")/lib.sh"

e2e_bench_test spine

HOLD=2.5
# The bench's turn that is recorded: the twelfth angle step onwards, so that
# the first recorded load is at 0 degrees again and the window has had 30 s
# to start.
FIRST=12

e2e_start_x 1280x900x24
start_bench spine --sequence shaft:spine=3@40,bend=0.3@200,noise=0.01,mean=50,step=30 --hold $HOLD --rate 10
bench_start=$(date +%s.%N)
e2e_start_app
win=$(e2e_main_window 60) || fail "no main window"
choose_and_open_port
focus "$win"
key alt+t ctrl+Tab
key alt+e
shot polar-reset

# Each "Add" in the middle of the bench's time at an angle.
for k in $(seq 0 11); do
  at=$(awk -v s="$bench_start" -v k=$((FIRST + k)) -v h=$HOLD 'BEGIN { printf "%.2f", s + (k + 0.5) * h }')
  now=$(date +%s.%N)
  late=$(awk -v a="$at" -v n="$now" 'BEGIN { print (n > a + 0.5) ? 1 : 0 }')
  [ "$late" = 0 ] || fail "reading $k: the program was not ready when the bench reached its angle"
  sleep "$(awk -v a="$at" -v n="$now" 'BEGIN { d = a - n; print (d > 0 ? d : 0) }')"
  focus "$win"
  key alt+a
done
key alt+l
sleep 1
shot polar-plotted

focus "$win"
key alt+f e
answer_dialog "Save As" "$work/spine.pdf"
e2e_until 10 test -s "$work/spine.pdf" || fail "no report was exported"
pdftotext -layout "$work/spine.pdf" "$work/spine.txt"
angle=$(grep -o 'Spine [0-9.]*°' "$work/spine.txt" | grep -o '[0-9.]*' | head -n 1)
[ -n "$angle" ] || fail "the report names no spine angle: $(cat "$work/spine.txt")"
awk -v a="$angle" 'BEGIN { d = a - 40; if (d < 0) d = -d; exit !(d <= 2) }' \
  || fail "spine at $angle degrees, simulated at 40: $(grep -A4 'Spine and bend' "$work/spine.txt")"
grep -q 'Bend 0\.[23][0-9]* at \(19[0-9]\|20[0-9]\|21[0-9]\)°' "$work/spine.txt" \
  || fail "the bend is not the simulated 0.3 at 200 degrees: $(grep -A4 'Spine and bend' "$work/spine.txt")"
pass
