#!/usr/bin/env bash
# A power cut at the bench: two readings typed into the profile table, the
# program killed outright; on the next start it offers the tables back, and
# what it gives back saves to the same rows. A clean exit leaves no copy.
source "$(dirname "$0")/lib.sh"

e2e_bench_test recovery
e2e_start_x
copy="$E2E_OUT/data/Tarvex RS232/recovery.json"

e2e_start_app
win=$(e2e_main_window 60) || fail "no main window"
focus "$win"
key alt+t; typetext 10; key Tab; typetext 2.5; key Tab; typetext 2; key Tab space
key alt+t shift+Tab ctrl+Home Right
typetext 41.25; key Return Right; typetext 43.5; key Return
e2e_until 10 grep -q '43.5' "$copy" || fail "no recovery copy of the typed readings"
shot typed
kill -KILL "$APP_PID"
e2e_until 10 e2e_exited >/dev/null || fail "the program did not die"

# Started again: the question box comes over the main window.
e2e_start_app
win=$(e2e_main_window 60) || fail "no main window on the second start"
two_windows() { [ "$(xdotool search --onlyvisible --name '^Tarvex RS232' 2>/dev/null | wc -l)" -ge 2 ]; }
e2e_until 20 two_windows || fail "no restore question"
shot restore-question
key Return                       # Yes, the default answer
e2e_until 10 eval '! two_windows' || fail "the restore question did not close"
win=$(xdotool search --onlyvisible --name '^Tarvex RS232$' | head -n 1)
shot restored
save_as "$work/after.txt"
rows=$(export_rows "$work/after.txt" | tr '\n' ' ')
[ "$rows" = "10,41.25 12.5,43.5 " ] || fail "restored rows are \"$rows\""
# A text export is no save of the data: the copy stays until the data file is.
sleep 1.5
[ -e "$copy" ] || fail "the copy went with a text export"
save_as "$work/after.tvl"
e2e_until 5 test ! -e "$copy" || fail "the copy outlived the save"

focus "$win"
key ctrl+q
status=$(e2e_wait_exit 30)
[ "$status" = 0 ] || fail "the program ended with $status"
[ ! -e "$copy" ] || fail "a clean exit left the recovery copy"
e2e_no_sanitizer_report
pass
