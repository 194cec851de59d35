#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
#   scripts/test.sh              the normal build (build/)
#   scripts/test.sh --sanitize   the AddressSanitizer + UBSan build (build-asan/)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
# The header check (every header compiled on its own) is CI's clang phase,
# scripts/fuzz.sh; OFF here also turns it off in a folder configured with it.
dir=build; opts=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEX_WERROR=ON -DTARVEX_SANITIZE=OFF -DTARVEX_HEADER_CHECK=OFF)
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-asan; opts=(-DCMAKE_BUILD_TYPE=Debug -DTARVEX_WERROR=ON -DTARVEX_SANITIZE=ON -DTARVEX_HEADER_CHECK=OFF)
fi
start=$SECONDS
scripts/build.sh "$dir" "${opts[@]}"
echo "== $dir built in $((SECONDS - start)) s"
cd "$dir"
start=$SECONDS
status=0
ctest --output-on-failure --no-tests=error --timeout 600 -j"$(nproc)" || status=$?
echo "== $dir tests ran in $((SECONDS - start)) s"
exit $status
