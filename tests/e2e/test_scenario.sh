#!/usr/bin/env bash
# A day at the bench, through the window only: a bench on a pseudo-terminal
# steps through a shaft profile; the port is chosen and opened; the profile
# table is laid out and every row takes a reading with "Add"; it is plotted,
# measured again and plotted over; saved as a data file and as text. Then the
# bench turns the shaft: the polar table takes twelve readings, is plotted and
# viewed as a sine, saved; the report is printed with the shaft's name on a
# PDF printer. The program is closed and started again, and opens both files.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/cups.sh"

e2e_bench_test scenario
cups_require xdotool convert
step=0
shot() { step=$((step + 1)); e2e_shot "$(printf '%02d' $step)-$1"; }

# Other windows titled like the main window (message boxes, the sine view).
app_windows() { xdotool search --onlyvisible --name '^Tarvex RS232' 2>/dev/null | grep -vxc "$win" || true; }
windows_are() { [ "$(app_windows)" = "$1" ]; }
wait_windows() { e2e_until "${2:-10}" windows_are "$1"; } # count timeout-seconds

stop_bench() {
  kill -TERM "$SIM_PID"
  wait "$SIM_PID" 2>/dev/null || true
  # The program says once that the bench went away.
  wait_windows 1 15 || fail "no message after the bench hung up"
  shot hang-up-message
  key Return
  wait_windows 0 || fail "the hang-up message did not close"
  focus "$win"
}

# Takes `count` readings with "Add" (Alt+A), each a new one: the bench is
# moved on `steps` positions, and "Add" comes once the window shows the new
# load. The values taken are appended to the file named.
add_readings() { # count file [steps]
  local prev from r
  for _ in $(seq "$1"); do
    prev=$(last_reading)
    from=$(events)
    for _ in $(seq "${3:-1}"); do bench next; done
    e2e_until 20 new_reading "$from" "$prev" || fail "the window shows no new reading (last '$prev')"
    r=$(last_reading)
    focus "$win"
    key alt+a
    echo "$r" >>"$2"
    # Two readings later the key has been taken, before the bench moves on.
    from=$(events)
    wait_event "$from" '^reading ' 2 || fail "the readings stopped"
  done
}
new_reading() { [ -n "$(events_since "$1" '^reading ' | grep -vxF "reading $2")" ]; }

# The save question closing may ask, answered No; false when the program ended
# without asking.
asked_or_ended() { [ -s "$E2E_OUT/app.status" ] || [ "$(app_windows)" -ge 1 ]; }
answer_no() { # screenshot-name
  e2e_until 10 asked_or_ended || true
  [ "$(app_windows)" -ge 1 ] || return 1
  shot "$1"
  key n
}

# The "Polar Plot" tab: from the profile tab's Start box, Ctrl+Tab.
polar_tab() { focus "$win"; key alt+t ctrl+Tab; }


# What the bench sends: the profile's loads position by position, and
# 60 + 15 sin(angle) around the shaft, both with two decimals. The tables are
# checked against these sets; the readings taken are kept for a look.
PROFILE_LOADS="20 21.64 35.79 59.13 87.63 120"
POLAR_LOADS=$(awk 'BEGIN { for (a = 0; a < 360; a += 30) printf "%.2f ", 60 + 15 * sin(a * atan2(0, -1) / 180) }')

# A text export's rows: the positions as given, every load one the bench
# sends, and at least three different loads (each "Add" took a new reading).
check_loads() { # file rows positions loads
  local rows
  mapfile -t rows < <(export_rows "$1")
  [ ${#rows[@]} = "$2" ] || fail "$(basename "$1") has ${#rows[@]} rows: $(cat -A "$1")"
  printf '%s\n' "${rows[@]}" | awk -F, -v pos="$3" -v loads="$4" '
    BEGIN { np = split(pos, p, " "); nl = split(loads, l, " ") }
    { if ($1 + 0 != p[NR] + 0) { print "row " NR ": position " $1 ", expected " p[NR]; bad = 1 }
      ok = 0; for (i = 1; i <= nl; i++) if ($2 - l[i] < 0.006 && l[i] - $2 < 0.006) ok = 1
      if (!ok) { print "row " NR ": load " $2 " is none the bench sends"; bad = 1 }
      seen[$2] = 1 }
    END { n = 0; for (v in seen) n++; if (n < 3) { print "only " n " different loads"; bad = 1 }; exit bad }' \
    >"$E2E_OUT/check.out" || fail "$(basename "$1"): $(cat "$E2E_OUT/check.out")"
}

# ============================================================================
cups_start
e2e_start_x 1280x900x24
start_bench profile --sequence profile:20:120 --positions 6 --rate 10 --split
e2e_start_app
win=$(e2e_main_window 60) || fail "no main window"
shot main-window
wait_title "Tarvex RS232"

choose_and_open_port
shot port-opened

# ---- profile: six rows from 10 in steps of 2.5 -----------------------------
focus "$win"
# Set by Tab and Space, not its access key: an access key's click comes a
# moment later, and Set hands the keyboard to the table when it lands.
key alt+t; typetext 10; key Tab; typetext 2.5; key Tab; typetext 6; key Tab space
# From the Start box one step back is the table: first row, load column.
key alt+t shift+Tab ctrl+Home Right
shot rows-set
add_readings 6 "$work/run1.readings"
shot first-run-taken
key alt+l
shot first-run-plotted

save_as "$work/run1.txt"
check_loads "$work/run1.txt" 6 "10 12.5 15 17.5 20 22.5" "$PROFILE_LOADS"

# ---- a second run over the same rows, drawn over the first -----------------
# Two positions a reading: the second run's loads are not the first's.
key alt+t shift+Tab ctrl+Home Right
add_readings 6 "$work/run2.readings" 2
key alt+l
shot second-run-plotted
save_as "$work/profile.tvl"
save_as "$work/profile.txt"
check_loads "$work/profile.txt" 6 "10 12.5 15 17.5 20 22.5" "$PROFILE_LOADS"
cmp -s "$work/run1.txt" "$work/profile.txt" && fail "the second run changed no load"

# ---- polar: the bench turns the shaft --------------------------------------
stop_bench
start_bench sine --sequence sine:60:15:1 --rate 10 --split
choose_and_open_port
polar_tab
wait_title "Tarvex RS232"
shot polar-tab
key alt+e                     # Reset, at the interval shown: 30 degrees
shot polar-reset
add_readings 12 "$work/polar.readings"
shot polar-taken
focus "$win"
key alt+l
shot polar-plotted
key alt+n
wait_windows 1 15 || fail "the sine view did not open"
shot sine-view
key Return
wait_windows 0 || fail "the sine view did not close"
save_as "$work/polar.tvp"
save_as "$work/polar.txt"
check_loads "$work/polar.txt" 12 "0 30 60 90 120 150 180 210 240 270 300 330" "$POLAR_LOADS"

# ---- the report on paper ---------------------------------------------------
focus "$win"
key ctrl+p
form=$(e2e_wait_window ' - Print Preview$' 15) || fail "the report form did not open"
focus "$form"
typetext "Tour X 65 R"
key Tab Tab Tab space         # Preview
shot print-preview
key shift+Tab space           # Print
pdf=$(cups_wait_pdf 1) || fail "no PDF came out of the printer"
key Escape
e2e_until 10 e2e_gone ' - Print Preview$' || fail "the report form did not close"
pdftotext -layout "$pdf" "$work/report.txt" || fail "pdftotext failed"
grep -qF "Tarvex Report (Tour X 65 R)" "$work/report.txt" || fail "report title: $(head "$work/report.txt")"
grep -qE '(^| )330 +[0-9.]+ *$' "$work/report.txt" || fail "the report has no 330 degree row"
first_load=$(export_rows "$work/polar.txt" | head -n 1 | cut -d, -f2)
grep -qF "$(awk -v w="$first_load" 'BEGIN { print w + 0 }')" "$work/report.txt" || fail "the report lacks the load $first_load"
pdftoppm -r 40 -png -singlefile "$pdf" "$E2E_OUT/$(printf '%02d' $((step + 1)))-printed-sheet"
step=$((step + 1))

# ---- closing: one more check reading, not kept ------------------------------
# Saving cleared the question; the reading taken after it brings it back, and
# No leaves the files as they were saved.
focus "$win"
from=$(events)
key alt+a
wait_event "$from" '^reading ' 2 || fail "the readings stopped"
key alt+f
e2e_until 5 popup_open || true
key x
answer_no save-question || fail "closing with an unsaved reading did not ask to save"
status=$(e2e_wait_exit 30)
[ "$status" = 0 ] || fail "the first run ended with $status"
e2e_no_sanitizer_report
kill -TERM "$SIM_PID" 2>/dev/null || true
wait "$SIM_PID" 2>/dev/null || true

# ---- the next morning: both files open again -------------------------------
cp "$work/profile.tvl" "$work/profile-before.tvl"
cp "$work/polar.tvp" "$work/polar-before.tvp"
e2e_start_app
win=$(e2e_main_window 60) || fail "no main window on the second start"
reopen() { open_file "$work/$1.$2"; key alt+l; shot "reopened-$1"; save_as "$work/$1-again.txt"; } # name extension
reopen profile tvl
polar_tab
reopen polar tvp
focus "$win"
key ctrl+q
answer_no second-close-question || true
status=$(e2e_wait_exit 30)
[ "$status" = 0 ] || fail "the second run ended with $status"
e2e_no_sanitizer_report

cmp "$work/profile.txt" "$work/profile-again.txt" || fail "the profile table differs after reopening"
cmp "$work/polar.txt" "$work/polar-again.txt" || fail "the polar table differs after reopening"
cmp "$work/profile.tvl" "$work/profile-before.tvl" || fail "opening changed the profile file"
cmp "$work/polar.tvp" "$work/polar-before.tvp" || fail "opening changed the polar file"
[ ! -e "$PORT" ] || fail "simulator left its port link behind"
pass
