#!/usr/bin/env bash
# The clang build: compiles every header on its own (the header check), then
# builds the libFuzzer harnesses and runs each for a while.
#   scripts/fuzz.sh [seconds-per-harness]   (default 20)
set -euo pipefail
cd "$(dirname "$0")/.."
secs=${1:-20}
scripts/deps.sh fuzz
dir=build-fuzz
# -O1 with line tables: a quarter less to compile than -O2 -g, and the traces
# still name file and line. Configured every time, so a changed flag applies.
CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE= \
  -DTARVEX_FUZZ=ON -DTARVEX_WERROR=OFF -DTARVEX_HEADER_CHECK=ON \
  -DCMAKE_CXX_FLAGS="-O1 -gline-tables-only -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
harnesses=$(cd tests/fuzz && ls fuzz_*.cpp 2>/dev/null | sed 's/\.cpp$//') || true
[ -n "$harnesses" ] || { echo "no fuzz harnesses"; exit 0; }
headers=$(ninja -C "$dir" -t targets all | grep -o '^[a-z_]*_headers: phony' | grep -v '^cmake_' | cut -d: -f1 | sort -u)
echo "== the header check: $(echo $headers)"
cmake --build "$dir" --parallel "$(nproc)" --target $headers $harnesses
# Crash inputs and their full traces are kept in $dir/artifacts/, and the
# inputs a run found beyond the stored corpus in $dir/new-corpus/<name>/ (copy
# the worthwhile ones into tests/fuzz/corpus/<name>/ to keep them replayed).
mkdir -p "$dir/artifacts"
# Each harness runs on one core for its time: as many run at once as there
# are cores, and each is reported when the last is done.
fuzz_one() {
  local h=$1 short=${1#fuzz_}
  local work="$dir/new-corpus/$short"
  rm -rf "$work"
  mkdir -p "$work"
  QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
    "$dir/tests/fuzz/$h" -max_total_time="$secs" -artifact_prefix="$dir/artifacts/$h-" \
    "$work" tests/fuzz/corpus/"$short" >"$dir/artifacts/$h.log" 2>&1
  echo $? >"$dir/artifacts/$h.status"
}
running=0
for h in $harnesses; do
  if [ "$running" -ge "$(nproc)" ]; then
    wait -n || true
    running=$((running - 1))
  fi
  echo "== $h for ${secs}s"
  fuzz_one "$h" &
  running=$((running + 1))
done
wait
status=0
for h in $harnesses; do
  work="$dir/new-corpus/${h#fuzz_}"
  echo "== $h"
  if [ "$(cat "$dir/artifacts/$h.status" 2>/dev/null)" != 0 ]; then
    status=1
    cat "$dir/artifacts/$h.log"
    echo "$h found a failure: the input and this trace are kept in $dir/artifacts/"
  else
    tail -n 3 "$dir/artifacts/$h.log"
  fi
  echo "   $(ls "$work" | wc -l) new inputs in $work"
done
exit $status
