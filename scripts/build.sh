#!/usr/bin/env bash
# Configures (once) and builds. Usage: scripts/build.sh [build-dir] [cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}; shift || true
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S . -B "$dir" -G Ninja "$@"
fi
cmake --build "$dir" --parallel "$(nproc)"
