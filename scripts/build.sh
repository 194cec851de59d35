#!/usr/bin/env bash
# Configures and builds. Usage: scripts/build.sh [build-dir] [cmake options...]
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
cmake --build "$dir" --parallel "$(nproc)"
