#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang and runs each for a while.
#   scripts/fuzz.sh [seconds-per-harness]   (default 20)
set -euo pipefail
cd "$(dirname "$0")/.."
secs=${1:-20}
scripts/deps.sh test
dir=build-fuzz
if [ ! -f "$dir/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTARVEX_FUZZ=ON -DTARVEX_WERROR=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
fi
harnesses=$(cd tests/fuzz && ls fuzz_*.cpp 2>/dev/null | sed 's/\.cpp$//') || true
[ -n "$harnesses" ] || { echo "no fuzz harnesses"; exit 0; }
cmake --build "$dir" --parallel "$(nproc)" --target $harnesses
for h in $harnesses; do
  short=${h#fuzz_}
  work=$(mktemp -d)
  cp -r tests/fuzz/corpus/"$short"/. "$work"/ 2>/dev/null || true
  echo "== $h for ${secs}s"
  QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
    "$dir/tests/fuzz/$h" -max_total_time="$secs" -artifact_prefix="$dir/$h-" "$work" 2>&1 | tail -3
  rm -rf "$work"
done
