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

# A private X server on the first free display number.
e2e_start_x() {
  local n=90
  while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
  Xvfb :$n -screen 0 "${1:-1280x800x24}" -nolisten tcp >"$E2E_OUT/xvfb.log" 2>&1 &
  E2E_PIDS+=($!)
  export DISPLAY=:$n
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  fail "Xvfb did not start"
}

# Starts the program; its stderr goes to $E2E_OUT/app.err. Sets APP_PID.
# A small keeper waits for it and writes its exit status to a file, since a
# status can only be collected by the shell that started it, and callers ask
# for it from a command substitution (another shell).
e2e_start_app() {
  rm -f "$E2E_OUT/app.pid" "$E2E_OUT/app.status"
  (
    cd "$E2E_OUT" || exit 1
    env XDG_RUNTIME_DIR="$E2E_OUT" "$E2E_BIN" "$@" >"$E2E_OUT/app.out" 2>"$E2E_OUT/app.err" &
    echo $! >"$E2E_OUT/app.pid"
    status=0
    wait $! || status=$?
    echo "$status" >"$E2E_OUT/app.status"
  ) &
  E2E_PIDS+=($!)
  for _ in $(seq 100); do [ -s "$E2E_OUT/app.pid" ] && break; sleep 0.02; done
  APP_PID=$(cat "$E2E_OUT/app.pid")
  E2E_PIDS+=($APP_PID)
}

# Waits until a window whose title matches the regex is mapped; prints its id.
e2e_wait_window() {
  local pattern=$1 timeout=${2:-20} id
  for _ in $(seq $((timeout * 10))); do
    id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

e2e_title() { xdotool getwindowname "$1" 2>/dev/null; }

e2e_shot() { import -window root "$E2E_OUT/$1.png" 2>/dev/null; }

# Waits for the program to end; prints its exit status.
e2e_wait_exit() {
  local timeout=${1:-20}
  for _ in $(seq $((timeout * 10))); do
    if [ -s "$E2E_OUT/app.status" ]; then
      cat "$E2E_OUT/app.status"
      return 0
    fi
    sleep 0.1
  done
  echo timeout
}

# No AddressSanitizer or UBSan report in the program's stderr.
e2e_no_sanitizer_report() {
  if grep -E "ERROR: AddressSanitizer|runtime error:|ERROR: LeakSanitizer" "$E2E_OUT/app.err" >/dev/null; then
    cat "$E2E_OUT/app.err" >&2
    fail "sanitizer report"
  fi
}

# Waits for the main window after start-up and prints its id. Every test that
# starts the program goes through here, so start-up screens are dealt with once.
e2e_main_window() {
  e2e_wait_window '^Tarvex RS232' "${1:-30}"
}
