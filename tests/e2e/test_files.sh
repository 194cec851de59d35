#!/usr/bin/env bash
# Open and Save through the real file dialog: a profile and a polar file are
# opened, saved under new names and as text exports, the program is started
# again and opens what it saved. The saved files must equal the originals to
# the byte, and the tables (seen through their text exports) must match.
source "$(dirname "$0")/lib.sh"
TVCONV=$(dirname "$E2E_BIN")/tvconv
[ -x "$TVCONV" ] || fail "no tvconv binary beside the program"
work="$E2E_OUT/files"
mkdir -p "$work"

printf '%s\n' '"     Position",Load' '10,2.5' '12.5,3.1' '15,-0.75' '17.5,1250' '' 'Note,"shaft 7' 'stiff tip"' \
  | "$TVCONV" --build "$work/source.tvl" || fail "building the profile file"
{
  printf '%s\n' '"     Degree","     Load"'
  for a in 0 30 60 90 120 150 180 210 240 270 300 330; do echo "$a,$((a / 10)).5"; done
  printf '\nNote,polar run\n'
} | "$TVCONV" --build "$work/source.tvp" || fail "building the polar file"

focus() { xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"; }

# Waits for the dialog, types the path into its file name box and accepts.
answer_dialog() { # title path
  local id
  id=$(e2e_wait_window "^$1\$" 15) || fail "no \"$1\" dialog"
  sleep 0.5
  e2e_shot "dialog-$(basename "$2")"
  focus "$id"
  xdotool key ctrl+a
  xdotool type --delay 15 "$2"
  sleep 0.2
  xdotool key Return
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  e2e_shot "dialog-stuck"
  fail "the \"$1\" dialog did not close"
}

wait_title() { # window expected
  for _ in $(seq 50); do
    [ "$(e2e_title "$1")" = "$2" ] && return 0
    sleep 0.1
  done
  fail "title is \"$(e2e_title "$1")\", expected \"$2\""
}

command_key() { # window key
  focus "$1"
  xdotool key "$2"
}

# Clicks the "Polar Plot" tab (the second tab of the workspace, under the
# serial port row; the window sits at the screen's corner without a window
# manager).
# e2e_wait_exit must run in this shell, not in $(...): a subshell cannot
# collect the exit status of the program this shell started.
wait_exit_status() {
  e2e_wait_exit 20 > "$E2E_OUT/exit-status"
}

polar_tab() { # window title-after
  focus "$1"
  xdotool mousemove --window "$1" 119 126 click 1
  wait_title "$1" "$2"
}

e2e_start_x

# ---- first run: open the sources, save them under new names ----------------
e2e_start_app
win=$(e2e_main_window 60) || fail "no main window"
sleep 0.5
command_key "$win" ctrl+o
answer_dialog Open "$work/source.tvl"
wait_title "$win" "Tarvex RS232-source.tvl"
e2e_shot first-profile-opened
command_key "$win" ctrl+s
answer_dialog "Save As" "$work/saved.tvl"
wait_title "$win" "Tarvex RS232-saved.tvl"
command_key "$win" ctrl+s
answer_dialog "Save As" "$work/first-profile.txt"
wait_title "$win" "Tarvex RS232-first-profile.txt"

polar_tab "$win" "Tarvex RS232"
command_key "$win" ctrl+o
answer_dialog Open "$work/source.tvp"
wait_title "$win" "Tarvex RS232-source.tvp"
e2e_shot first-polar-opened
command_key "$win" ctrl+s
answer_dialog "Save As" "$work/saved.tvp"
wait_title "$win" "Tarvex RS232-saved.tvp"
command_key "$win" ctrl+s
answer_dialog "Save As" "$work/first-polar.txt"
wait_title "$win" "Tarvex RS232-first-polar.txt"

command_key "$win" ctrl+q
wait_exit_status
status=$(cat "$E2E_OUT/exit-status")
[ "$status" = 0 ] || fail "first run ended with $status"
e2e_no_sanitizer_report

cmp "$work/source.tvl" "$work/saved.tvl" || fail "the saved profile file differs from the one opened"
cmp "$work/source.tvp" "$work/saved.tvp" || fail "the saved polar file differs from the one opened"

# ---- second run: open what was saved, export it again ----------------------
e2e_start_app
win=$(e2e_main_window 60) || fail "no main window on the second start"
sleep 0.5
command_key "$win" ctrl+o
answer_dialog Open "$work/saved.tvl"
wait_title "$win" "Tarvex RS232-saved.tvl"
command_key "$win" ctrl+s
answer_dialog "Save As" "$work/second-profile.txt"
wait_title "$win" "Tarvex RS232-second-profile.txt"
polar_tab "$win" "Tarvex RS232"
command_key "$win" ctrl+o
answer_dialog Open "$work/saved.tvp"
wait_title "$win" "Tarvex RS232-saved.tvp"
e2e_shot second-polar-opened
command_key "$win" ctrl+s
answer_dialog "Save As" "$work/second-polar.txt"
wait_title "$win" "Tarvex RS232-second-polar.txt"
command_key "$win" ctrl+q
wait_exit_status
status=$(cat "$E2E_OUT/exit-status")
[ "$status" = 0 ] || fail "second run ended with $status"
e2e_no_sanitizer_report

cmp "$work/first-profile.txt" "$work/second-profile.txt" || fail "profile tables differ between the runs"
cmp "$work/first-polar.txt" "$work/second-polar.txt" || fail "polar tables differ between the runs"
expected_profile=$(printf '     Position,Load\r\n10,2.5\r\n12.5,3.1\r\n15,-0.75\r\n17.5,1250\r\nshaft 7\r\nstiff tip\r\n')
[ "$(cat "$work/second-profile.txt")" = "$expected_profile" ] || fail "profile export: $(od -c "$work/second-profile.txt" | head)"
head -c 40 "$work/second-polar.txt" | grep -q $'^     Degree ,      Load\r$' || fail "polar export heading"
grep -q $'^330 , 33.5\r$' "$work/second-polar.txt" || fail "polar export rows"
pass
