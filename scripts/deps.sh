#!/usr/bin/env bash
# Installs the Debian packages that are missing, by name. Quick when nothing is.
#   scripts/deps.sh run    packages to build and run the program
#   scripts/deps.sh test   those plus what the tests need
#   scripts/deps.sh fuzz   those plus clang, for CI's clang build (scripts/fuzz.sh)
set -euo pipefail
kind=${1:-run}
# DejaVu is the desktop's sans-serif the windows and the golden pictures are
# drawn in; a bare system that has only Liberation falls back to another face
# with other widths.
pkgs=(cmake ninja-build g++ pkgconf qt6-base-dev qt6-serialport-dev qt6-svg-dev
      qt6-qpa-plugins qt6-l10n-tools qt6-tools-dev qt6-translations-l10n libqt6sql6-sqlite libqt6sql6-psql libgl-dev fonts-liberation2 fonts-dejavu-core fontconfig ccache)
if [ "$kind" = test ] || [ "$kind" = fuzz ]; then
  pkgs+=(xvfb xdotool xclip x11-utils imagemagick poppler-utils cups cups-client cups-bsd printer-driver-cups-pdf
         python3 locales dpkg-dev file desktop-file-utils postgresql)
fi
if [ "$kind" = fuzz ]; then
  pkgs+=(clang libclang-rt-14-dev)
fi
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
