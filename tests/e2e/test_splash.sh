#!/usr/bin/env bash
# The splash screen comes first. Left alone it gives way to the main window
# after about ten seconds; a click on its logo brings the main window at once.
source "$(dirname "$0")/lib.sh"
e2e_start_x

main_visible() { xdotool search --onlyvisible --name "$E2E_MAIN_TITLE" 2>/dev/null | head -n 1; }

# Left alone.
e2e_start_app
splash=$(e2e_wait_window "$E2E_SPLASH_TITLE" 30) || fail "no splash screen"
shown=$(e2e_now_ms)
[ -z "$(main_visible)" ] || fail "the main window came with the splash"
eval "$(xdotool getwindowgeometry --shell "$splash")"
[ "$WIDTH" = 500 ] && [ "$HEIGHT" = 282 ] || fail "splash is ${WIDTH}x${HEIGHT}"
sleep 0.5
e2e_shot splash
main=$(e2e_wait_window "$E2E_MAIN_TITLE" 40) || fail "no main window after the splash"
waited=$(( $(e2e_now_ms) - shown ))
echo "main window after ${waited} ms"
# 101 ticks of 100 ms; a slow (sanitizer) build only makes it later.
[ "$waited" -ge 9000 ] || fail "the splash closed after only ${waited} ms"
[ "$waited" -le 30000 ] || fail "the splash stayed ${waited} ms"
[ -z "$(xdotool search --onlyvisible --name "$E2E_SPLASH_TITLE" 2>/dev/null)" ] || fail "splash still shown"
[ "$(e2e_title "$main")" = "Tarvex RS232" ] || fail "title is $(e2e_title "$main")"
e2e_no_sanitizer_report
kill "$APP_PID"
[ "$(e2e_wait_exit 20)" != timeout ] || fail "the program did not end"

# A click on the logo.
e2e_start_app
splash=$(e2e_wait_window "$E2E_SPLASH_TITLE" 30) || fail "no splash screen on the second start"
sleep 1
[ -z "$(main_visible)" ] || fail "the main window came with the splash"
clicked=$(e2e_now_ms)
e2e_click_logo "$splash"
main=$(e2e_wait_window "$E2E_MAIN_TITLE" 10) || fail "no main window after the click"
waited=$(( $(e2e_now_ms) - clicked ))
echo "main window ${waited} ms after the click"
[ "$waited" -le 5000 ] || fail "the click took ${waited} ms to bring the main window"
[ -z "$(xdotool search --onlyvisible --name "$E2E_SPLASH_TITLE" 2>/dev/null)" ] || fail "splash still shown"
sleep 0.5
e2e_shot main
e2e_no_sanitizer_report
pass
