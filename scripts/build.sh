#!/usr/bin/env bash
# Configures and builds. Usage: scripts/build.sh [build-dir] [cmake options...]
# TARGETS="a b" builds only those targets (and what they need).
# Options given are applied to an existing build folder too, so a folder once
# configured without them cannot quietly build something else.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}; shift || true
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S . -B "$dir" -G Ninja "$@"
elif [ $# -gt 0 ]; then
  cmake -S . -B "$dir" "$@" >/dev/null
fi
targets=()
for t in ${TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$dir" --parallel "$(nproc)" "${targets[@]}"
