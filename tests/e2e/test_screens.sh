#!/usr/bin/env bash
# The first window on a small laptop screen and on a 4K screen at 200 %: it
# fits the screen, and a picture of each is kept in build/screens/ to be
# looked at after a change to the layout.
source "$(dirname "$0")/lib.sh"
keep=${TARVEX_BUILD_DIR:-$(dirname "$E2E_BIN")/..}/screens
mkdir -p "$keep"

drawn() {
  import -window root "$1" 2>/dev/null || return 1
  cmp -s "$1" "$E2E_OUT/last.png" && return 0
  cp "$1" "$E2E_OUT/last.png"
  return 1
}

for screen in 1024x600:1 3840x2160:2; do
  size=${screen%:*} scale=${screen#*:}
  e2e_start_x "${size}x24"
  QT_SCALE_FACTOR=$scale e2e_start_app
  win=$(e2e_main_window 60) || fail "no main window at $size"
  eval "$(xdotool getwindowgeometry --shell "$win")"
  [ "$WIDTH" -le "${size%x*}" ] && [ "$HEIGHT" -le "${size#*x}" ] \
    || fail "at $size the window is ${WIDTH}x${HEIGHT}"
  # Kept once two pictures in a row agree: the window has been laid out and drawn.
  rm -f "$E2E_OUT/last.png"
  e2e_until 20 drawn "$keep/main-$size.png" || fail "no settled picture at $size"
  kill "$APP_PID"
  e2e_until 10 test -s "$E2E_OUT/app.status" || fail "the program did not end at $size"
done
pass
