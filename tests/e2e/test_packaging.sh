#!/usr/bin/env bash
# The Debian package that CPack builds holds the program, its manual, the
# desktop entry and the icon; its Depends name the Qt runtime packages of every
# Qt library the program loads; and the program unpacked from it starts through
# its bin/ link and finds the manual beside itself.
source "$(dirname "$0")/lib.sh"
build=${TARVEX_BUILD_DIR:-$(cd "$(dirname "$0")/../.." && pwd)/build}
command -v cpack >/dev/null || fail "cpack not found"
[ -f "$build/CPackConfig.cmake" ] || fail "no CPackConfig.cmake in $build"

nice cpack --config "$build/CPackConfig.cmake" -B "$E2E_OUT/pkg" >"$E2E_OUT/cpack.log" 2>&1 \
  || { cat "$E2E_OUT/cpack.log" >&2; fail "cpack failed"; }
debs=("$E2E_OUT"/pkg/tarvex_*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fail "expected one package, found: ${debs[*]}"
deb=${debs[0]}

# Unpack into a scratch root, as dpkg would install it.
root=$E2E_OUT/root
dpkg-deb -x "$deb" "$root"
app=$root/usr/lib/tarvex
for f in usr/lib/tarvex/tarvex usr/lib/tarvex/M418026.html usr/share/applications/tarvex.desktop \
         usr/share/icons/hicolor/64x64/apps/tarvex.png; do
  [ -s "$root/$f" ] || fail "the package lacks /$f"
done
[ -x "$app/tarvex" ] || fail "the program is not executable"
[ "$(readlink "$root/usr/bin/tarvex")" = ../lib/tarvex/tarvex ] || fail "/usr/bin/tarvex is not the link to the program"
grep -q "<title>Tarvex RS232 User's Guide</title>" "$app/M418026.html" || fail "the manual is not the user's guide"
file "$root/usr/share/icons/hicolor/64x64/apps/tarvex.png" | grep -q "PNG image data, 64 x 64" || fail "the icon is not a 64x64 PNG"

desktop=$root/usr/share/applications/tarvex.desktop
for line in 'Type=Application' 'Name=Tarvex RS232' 'Exec=tarvex' 'Icon=tarvex' 'Terminal=false'; do
  grep -qx "$line" "$desktop" || fail "the desktop entry lacks $line"
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "the desktop entry is not valid"
fi

# The control fields.
[ "$(dpkg-deb -f "$deb" Package)" = tarvex ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = 2.5 ] || fail "package version $(dpkg-deb -f "$deb" Version)"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
qtlibs=$(readelf -d "$app/tarvex" | sed -n 's/.*Shared library: \[\(libQt6[^]]*\)\].*/\1/p')
echo "$qtlibs" | grep -q '^libQt6Widgets' || fail "the program does not load Qt Widgets?"
for lib in $qtlibs; do
  pkg=$(dpkg -S "*/$lib" 2>/dev/null | head -n 1 | cut -d: -f1)
  [ -n "$pkg" ] || fail "no Debian package provides $lib here"
  echo ", $depends," | grep -Eq "[ ,]$pkg( |,)" || fail "Depends does not name $pkg (for $lib)"
done
echo ", $depends," | grep -q " fonts-liberation2," || fail "Depends does not name fonts-liberation2"

# Debian's package lists satisfy every dependency (a simulation; nothing is installed).
if command -v apt-get >/dev/null && compgen -G "/var/lib/apt/lists/*_Packages*" >/dev/null; then
  apt-get install -s --no-install-recommends "$deb" >"$E2E_OUT/apt.log" 2>&1 \
    || { cat "$E2E_OUT/apt.log" >&2; fail "apt cannot install the package"; }
  grep -q '^Conf tarvex ' "$E2E_OUT/apt.log" || { cat "$E2E_OUT/apt.log" >&2; fail "apt would not install tarvex"; }
else
  echo "apt package lists not available: dependency simulation skipped"
fi

# The unpacked program starts through its link and Help shows the manual.
e2e_start_x
E2E_BIN=$root/usr/bin/tarvex
e2e_start_app
win=$(e2e_main_window 30) || fail "no main window from the packaged program"
focus "$win"
xdotool key --window "$win" F1
help=$(e2e_wait_window '^Help - ' 15) || fail "no help window"
e2e_shot help
[ "$(e2e_title "$help")" = "Help - Tarvex RS232 User's Guide" ] || fail "the help window shows: $(e2e_title "$help")"
e2e_no_sanitizer_report
pass
