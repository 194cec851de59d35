#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on this display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
# The same flags as scripts/test.sh, so that the test command afterwards only
# adds the tests instead of building every object again.
TARGETS="tarvex tarvex_manual tvconv benchsim" \
  scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEX_WERROR=ON -DTARVEX_SANITIZE=OFF -DTARVEX_HEADER_CHECK=OFF
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display here. To run it under a virtual X server: apt-get install -y xvfb && xvfb-run -a $(pwd)/build/bin/tarvex"
  exit 0
fi
exec build/bin/tarvex "$@"
