#!/usr/bin/env bash
# The bench simulator on a pseudo-terminal and the real program: the port,
# linked after start-up, appears when the port list is opened; it is chosen
# and opened through the window; a reading shows in the live box and "Add"
# records it; the simulator hangs up and the window says so once; a new bench
# on the same port opens again with the same controls.
source "$(dirname "$0")/lib.sh"

SIM=${TARVEX_BUILD_DIR:+$TARVEX_BUILD_DIR/bin/benchsim}
SIM=${SIM:-$(dirname "$E2E_BIN")/benchsim}
[ -x "$SIM" ] || fail "no simulator at $SIM (build the benchsim target)"
command -v xclip >/dev/null || fail "xclip is missing (scripts/deps.sh test installs it)"
LINK=e2e-device-$$

# Starts a simulator that sends `value` once a second; sets SIM_PID and PORT.
start_bench() {
  local value=$1
  local out="$E2E_OUT/sim-$value.out"
  "$SIM" --link "$LINK" --sequence "constant:$value" --rate 1 --split >"$out" 2>>"$E2E_OUT/sim.err" &
  SIM_PID=$!
  E2E_PIDS+=($SIM_PID)
  for _ in $(seq 50); do [ -s "$out" ] && break; sleep 0.1; done
  PORT=$(head -n 1 "$out")
  [ -n "$PORT" ] || fail "simulator did not start: $(cat "$E2E_OUT/sim.err")"
}

# Green areas (the live box, the table's current cell) of a screenshot, one
# "width height x y" a line.
green_areas() {
  convert "$1" -fill black +opaque "rgb(192,255,192)" -fill white -opaque "rgb(192,255,192)" \
    -define connected-components:verbose=true -define connected-components:area-threshold=100 \
    -connected-components 4 null: 2>/dev/null |
    awk '/srgb\(255,255,255\)/ { split($2, g, /[x+]/); print g[1], g[2], g[3], g[4] }'
}

# Pixels inside an area that are not its green: the text drawn on it.
text_pixels() {
  local shot=$1 w=$2 h=$3 x=$4 y=$5
  convert "$shot" -crop "${w}x${h}+${x}+${y}" +repage -fill black -opaque "rgb(192,255,192)" \
    -fill white +opaque black -format "%[fx:round(mean*w*h)]" info:
}

# Opens the port list (Alt+P gives it the focus, F4 opens it, which takes
# the list afresh), picks our port by typing its name, and presses the button
# next to the list.
choose_and_open_port() {
  xdotool windowfocus --sync "$win" 2>/dev/null || true
  xdotool key --clearmodifiers alt+p
  sleep 0.3
  xdotool key F4
  sleep 0.5
  e2e_shot port-list
  xdotool type --delay 20 "$PORT"
  xdotool key Return
  sleep 0.3
  xdotool key Tab space
  sleep 0.5
}

# The live box's text, through the clipboard. Readings keep arriving and
# clear the selection, so try a few times.
live_text() {
  local want=$1 got=
  for _ in $(seq 8); do
    xdotool mousemove "$LIVE_X" "$LIVE_Y" click 1
    xdotool key ctrl+a ctrl+c
    sleep 0.2
    got=$(timeout 2 xclip -o -selection clipboard 2>/dev/null || true)
    [ "$got" = "$want" ] && break
    sleep 0.4
  done
  echo "$got"
}

# Windows titled like the main window other than it: message boxes.
message_boxes() {
  xdotool search --onlyvisible --name '^Tarvex RS232$' 2>/dev/null | grep -vc "^$win$" || true
}

wait_boxes() {
  for _ in $(seq 50); do
    [ "$(message_boxes)" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}

e2e_start_x
e2e_start_app
win=$(e2e_main_window 30) || fail "no main window"
sleep 0.5

# The bench is plugged in after start-up.
start_bench 4321.5
choose_and_open_port
sleep 1.5
e2e_shot opened

# The live box is the green area lowest in the window on tab 0 (the other is
# the table's current cell near the top of the table).
mapfile -t areas < <(green_areas "$E2E_OUT/opened.png" | sort -k4,4n)
[ ${#areas[@]} -ge 2 ] || fail "live box and current cell not found: ${areas[*]:-none}"
read -r lw lh lx ly <<<"${areas[-1]}"
read -r cw ch cx cy <<<"${areas[0]}"
LIVE_X=$((lx + lw / 2))
LIVE_Y=$((ly + lh / 2))
[ "$(text_pixels "$E2E_OUT/opened.png" "$cw" "$ch" "$cx" "$cy")" -lt 5 ] || fail "current cell not empty before Add"

shown=$(live_text 4321.50)
[ "$shown" = 4321.50 ] || fail "live box shows '$shown', not 4321.50"

# "Add" (Alt+A) records it into the table's current cell.
xdotool key --clearmodifiers alt+a
sleep 0.5
e2e_shot added
[ "$(text_pixels "$E2E_OUT/added.png" "$cw" "$ch" "$cx" "$cy")" -ge 20 ] || fail "Add wrote nothing into the current cell"

# The bench hangs up: one message, no more.
kill -TERM "$SIM_PID"
wait "$SIM_PID" 2>/dev/null || true
wait_boxes 1 || fail "no message after the hang-up"
sleep 1.5
e2e_shot hung-up
[ "$(message_boxes)" = 1 ] || fail "$(message_boxes) messages after the hang-up"
xdotool key Return
wait_boxes 0 || fail "message did not close"

# The controls are back to closed: a new bench on the same port opens with the
# same keys and its reading arrives.
start_bench 1234.5
choose_and_open_port
shown=$(live_text 1234.50)
[ "$shown" = 1234.50 ] || fail "after reopening the live box shows '$shown', not 1234.50"
e2e_shot reopened

# Exit: the capture made the table modified, so the program asks; No ends it.
kill -TERM "$SIM_PID"
wait "$SIM_PID" 2>/dev/null || true
wait_boxes 1 || fail "no message after the second hang-up"
xdotool key Return
wait_boxes 0 || fail "message did not close"
xdotool windowfocus --sync "$win" 2>/dev/null || true
xdotool key --clearmodifiers alt+f
sleep 0.4
xdotool key x
sleep 0.8
e2e_shot save-question
xdotool key n
status=$(e2e_wait_exit 20)
[ "$status" = 0 ] || fail "exit status $status"
[ ! -e "$PORT" ] || fail "simulator left its port link behind"
e2e_no_sanitizer_report
pass
