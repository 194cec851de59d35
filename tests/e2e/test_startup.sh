#!/usr/bin/env bash
# The real program starts under X, shows its main window, and File > Exit ends it cleanly.
source "$(dirname "$0")/lib.sh"
e2e_start_x
e2e_start_app
win=$(e2e_main_window 30) || fail "no main window"
[ "$(e2e_title "$win")" = "Tarvex RS232" ] || fail "title is $(e2e_title "$win")"
sleep 0.5
e2e_shot main
xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"
xdotool key --window "$win" alt+f
sleep 0.4
xdotool key x
status=$(e2e_wait_exit 20)
[ "$status" = 0 ] || fail "exit status $status"
e2e_no_sanitizer_report
pass
