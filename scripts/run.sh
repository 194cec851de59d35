#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on this display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display here. To run it under a virtual X server: apt-get install -y xvfb && xvfb-run -a $(pwd)/build/bin/tarvex"
  exit 0
fi
exec build/bin/tarvex "$@"
