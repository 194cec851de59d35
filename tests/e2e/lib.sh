# Shared pieces of the end-to-end tests: a private X server, the real program,
# screenshots kept when a test fails. Source it from tests/e2e/test_*.sh.
set -euo pipefail

E2E_NAME=$(basename "${BASH_SOURCE[1]}" .sh)
E2E_BIN=${TARVEX_BIN:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/build/bin/tarvex}
E2E_OUT=${TARVEX_BUILD_DIR:-/tmp}/e2e-artifacts/$E2E_NAME
rm -rf "$E2E_OUT"
mkdir -p "$E2E_OUT"
E2E_PIDS=()
E2E_OK=0

e2e_cleanup() {
  local pid
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${E2E_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  if [ "$E2E_OK" = 1 ]; then rm -rf "$E2E_OUT"; else echo "artifacts kept in $E2E_OUT" >&2; fi
}
trap e2e_cleanup EXIT

fail() { echo "FAIL: $*" >&2; e2e_shot failure || true; exit 1; }
pass() { E2E_OK=1; echo "PASS: $E2E_NAME"; }

# A private X server. The server picks a free display number itself and
# writes it once it accepts clients: tests running side by side that guessed
# numbers could both take one display, and the first to finish would stop the
# other's server under it.
e2e_start_x() {
  local xpid n=
  rm -f "$E2E_OUT/display"
  # -noreset: by default the server resets when its last client leaves, and a
  # program connecting during that reset (after xdpyinfo, or between two
  # starts of the program) is turned away.
  Xvfb -displayfd 3 -noreset -screen 0 "${1:-1280x800x24}" -nolisten tcp 3>"$E2E_OUT/display" >"$E2E_OUT/xvfb.log" 2>&1 &
  xpid=$!
  for _ in $(seq 300); do
    # The number counts once its line is complete.
    [ "$(wc -l <"$E2E_OUT/display" 2>/dev/null || echo 0)" -ge 1 ] && n=$(head -n 1 "$E2E_OUT/display")
    case $n in ''|*[!0-9]*) ;; *) break ;; esac
    kill -0 "$xpid" 2>/dev/null || break
    sleep 0.1
  done
  case $n in ''|*[!0-9]*) cat "$E2E_OUT/xvfb.log" >&2; kill "$xpid" 2>/dev/null || true; fail "Xvfb did not start" ;; esac
  E2E_PIDS+=("$xpid")
  export DISPLAY=:$n
  xdpyinfo >/dev/null 2>&1 || fail "Xvfb on $DISPLAY does not answer"
}

# Starts the program; its stderr goes to $E2E_OUT/app.err. Sets APP_PID.
# Its settings (window place, recent files) and its data (library, recovery
# copy) live in $E2E_OUT: every test starts as a first run, and the user's own
# files are not touched.
# A small waiter, whose child the program is, writes its exit status to
# $E2E_OUT/app.status: `wait` in a command substitution cannot see the status
# of a process started by the test's own shell.
e2e_start_app() {
  rm -f "$E2E_OUT/app.pid" "$E2E_OUT/app.status"
  (
    cd "$E2E_OUT"
    env TARVEX_EVENT_LOG="$E2E_OUT/events.log" XDG_RUNTIME_DIR="$E2E_OUT" XDG_CONFIG_HOME="$E2E_OUT/config" XDG_DATA_HOME="$E2E_OUT/data" "$E2E_BIN" "$@" >"$E2E_OUT/app.out" 2>"$E2E_OUT/app.err" &
    echo $! >"$E2E_OUT/app.pid"
    status=0
    wait $! || status=$?
    echo "$status" >"$E2E_OUT/app.status.new"
    mv "$E2E_OUT/app.status.new" "$E2E_OUT/app.status"
  ) &
  E2E_PIDS+=($!)
  while [ ! -s "$E2E_OUT/app.pid" ]; do sleep 0.01; done
  APP_PID=$(cat "$E2E_OUT/app.pid")
  E2E_PIDS+=($APP_PID)
}

# Waits until a window whose title matches the regex is mapped; prints its id.
e2e_window_id() { local id; id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true; [ -n "$id" ] && echo "$id"; }
e2e_wait_window() { e2e_until "${2:-20}" e2e_window_id "$1"; }

# Runs a command until it succeeds; false once `timeout` seconds have passed.
e2e_until() { # timeout command...
  local timeout=$1
  shift
  for _ in $(seq $((timeout * 10))); do "$@" && return 0; sleep 0.1; done
  return 1
}

# No visible window's title matches the regex.
e2e_gone() { ! xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

e2e_title() { xdotool getwindowname "$1" 2>/dev/null; }

e2e_shot() { import -window root "$E2E_OUT/$1.png" 2>/dev/null; }

# Waits for the program to end; prints its exit status.
e2e_exited() { [ -s "$E2E_OUT/app.status" ] && cat "$E2E_OUT/app.status"; }
e2e_wait_exit() { e2e_until "${1:-20}" e2e_exited || echo timeout; }

# No AddressSanitizer or UBSan report in the program's stderr.
e2e_no_sanitizer_report() {
  if grep -E "ERROR: AddressSanitizer|runtime error:|ERROR: LeakSanitizer" "$E2E_OUT/app.err" >/dev/null; then
    cat "$E2E_OUT/app.err" >&2
    fail "sanitizer report"
  fi
}

# The splash screen opens first and the main window only when it closes.
E2E_SPLASH_TITLE='^About Tarvex RS232$'
E2E_MAIN_TITLE='^Tarvex RS232'

# Waits for the main window after start-up and prints its id. Every test that
# starts the program goes through here, so the splash is dealt with once: it
# is sent away with Escape (again, a second later, should the key come before
# it takes input) instead of waiting ten seconds; Escape does nothing in the
# main window, should it arrive there.
e2e_main_window() {
  local timeout=${1:-30} id splash tick=0
  for _ in $(seq $((timeout * 10))); do
    id=$(xdotool search --onlyvisible --name "$E2E_MAIN_TITLE" 2>/dev/null | head -n 1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    if [ -s "$E2E_OUT/app.status" ]; then
      echo "the program ended during start-up with status $(cat "$E2E_OUT/app.status")" >&2
      return 1
    fi
    splash=$(xdotool search --onlyvisible --name "$E2E_SPLASH_TITLE" 2>/dev/null | head -n 1) || true
    if [ -n "$splash" ] && [ $((tick++ % 10)) = 2 ]; then
      timeout 10 xdotool windowfocus --sync "$splash" key Escape 2>/dev/null || true
    fi
    sleep 0.1
  done
  return 1
}

# ---- the window through the keyboard, and the bench simulator -------------
SIM=${TARVEX_BUILD_DIR:+$TARVEX_BUILD_DIR/bin/benchsim}
SIM=${SIM:-$(dirname "$E2E_BIN")/benchsim}

# A test at the bench: the simulator is built; its port link is named after
# the test, and its files go to $work. `shot NAME` keeps a screenshot.
e2e_bench_test() { # name
  [ -x "$SIM" ] || fail "no simulator at $SIM (build the benchsim target)"
  LINK=e2e-$1-$$ work="$E2E_OUT/files" win=
  mkdir -p "$work"
}
shot() { e2e_shot "$1"; }

key() { xdotool key --clearmodifiers --delay 40 "$@"; }
typetext() { xdotool type --delay 20 "$1"; }
# Bounded: on a loaded machine a --sync wait for a window that never takes
# the focus would otherwise hold the test until its time runs out.
focus() { timeout 10 xdotool windowactivate --sync "$1" 2>/dev/null || timeout 10 xdotool windowfocus --sync "$1" 2>/dev/null || true; }
is_active() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# Starts a simulator with the given arguments on our link; sets SIM_PID, PORT.
# The bench moves only when told: `bench next`, `bench load 35`, ...
start_bench() {
  local out="$E2E_OUT/sim-$1.out"
  shift
  CTL="$E2E_OUT/bench.ctl"
  "$SIM" --link "$LINK" --control "$CTL" "$@" >"$out" 2>>"$E2E_OUT/sim.err" &
  SIM_PID=$!
  E2E_PIDS+=($SIM_PID)
  e2e_until 10 test -s "$out" || true
  PORT=$(head -n 1 "$out")
  [ -n "$PORT" ] || fail "simulator did not start: $(cat "$E2E_OUT/sim.err")"
}

# A command to the simulator; one that has ended would leave the write
# waiting for a reader.
bench() {
  kill -0 "$SIM_PID" 2>/dev/null || fail "the simulator has ended: $(cat "$E2E_OUT/sim.err")"
  echo "$*" >"$CTL"
}

# The program's event log: a line per reading shown and per status message.
EVENTS="$E2E_OUT/events.log"
events() { [ -f "$EVENTS" ] && wc -l <"$EVENTS" || echo 0; }
# Lines of the log after line `from` that match the regex.
events_since() { tail -n +"$(($1 + 1))" "$EVENTS" 2>/dev/null | grep -E "$2" || true; }
count_since() { [ "$(events_since "$1" "$2" | wc -l)" -ge "$3" ]; }
# Waits until `n` lines after line `from` match; false at the timeout.
wait_event() { e2e_until "${4:-20}" count_since "$1" "$2" "${3:-1}"; } # from regex [n] [timeout]
last_reading() { grep '^reading ' "$EVENTS" 2>/dev/null | tail -n 1 | cut -d' ' -f2; }

# Alt+P gives the port list the focus, F4 opens it afresh; our port is picked
# by typing its name and opened with the button beside the list. Open once the
# window shows readings; keys lost on a busy machine are sent again.
choose_and_open_port() {
  local from
  for _ in 1 2 3; do
    from=$(events)
    focus "$win"
    key alt+p F4
    e2e_until 5 popup_open || true
    shot port-list
    typetext "$PORT"
    key Return Tab space
    wait_event "$from" '^reading ' 1 5 && return 0
    key Escape
  done
  fail "the port did not open: $(tail -n 3 "$EVENTS" 2>/dev/null)"
}
# A popup list is a window of its own with no title.
popup_open() { xdotool search --onlyvisible --maxdepth 2 --name '^$' >/dev/null 2>&1; }

# Saves through Ctrl+S and the "Save As" dialog, or opens through Ctrl+O,
# the path given; the title then names the file.
save_as() { focus "$win"; key ctrl+s; answer_dialog "Save As" "$1"; wait_title "Tarvex RS232-$(basename "$1")"; }
open_file() { focus "$win"; key ctrl+o; answer_dialog Open "$1"; wait_title "Tarvex RS232-$(basename "$1")"; }

answer_dialog() { # title path
  local id
  id=$(e2e_wait_window "^$1\$" 20) || fail "no \"$1\" dialog"
  focus "$id"
  e2e_until 10 is_active "$id" || fail "the \"$1\" dialog takes no keys"
  shot "dialog-$(basename "$2")"
  key ctrl+a
  typetext "$2"
  key Return
  e2e_until 10 e2e_gone "^$1\$" || fail "the \"$1\" dialog did not close"
  focus "$win"
}

title_is() { [ "$(e2e_title "$win")" = "$1" ]; }
wait_title() { e2e_until 10 title_is "$1" || fail "title is \"$(e2e_title "$win")\", expected \"$1\""; }

# The rows of a text export as "x,y" without blanks and line ends.
export_rows() { tr -d '\r ' <"$1" | sed -n '2,$p' | grep -E '^-?[0-9.]+,' || true; }
