#!/usr/bin/env bash
# Prints a profile report and a polar report through the window on a real
# default printer: a private CUPS daemon (own configuration, own socket) whose
# default destination is a PDF printer. The PDFs are read back with poppler's
# tools. Then, with the daemon stopped, Print shows the failure and nothing
# hangs. Everything started here is stopped here.
source "$(dirname "$0")/lib.sh"

source "$(dirname "$0")/cups.sh"
cups_require xdotool convert

# Once the chart routines draw their print copies, the report must carry them.
require_chart=${TARVEX_E2E_REQUIRE_CHART:-0}

cups_start

# ---- helpers -----------------------------------------------------------------
key() { xdotool key --delay 40 "$@"; }
# Without a window manager a closed dialog leaves no window active; shortcuts
# and mnemonics of the main window need it focused again.
focus_main() { xdotool windowfocus --sync "$win" 2>/dev/null || true; sleep 0.2; }
typetext() { xdotool type --delay 15 "$1"; }

app_windows() { xdotool search --onlyvisible --name '^Tarvex RS232$' 2>/dev/null | wc -l; }

# Runs the print command and waits for the report form. A chart routine that
# stops with a message (a table without loads, say) still lets the form open:
# such a message is answered first.
open_report_form() {
  key ctrl+p
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name ' - Print Preview$' 2>/dev/null | head -n 1) || true
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    [ "$(app_windows)" -gt 1 ] && key Return
    sleep 0.1
  done
  return 1
}

wait_pdf() { cups_wait_pdf "$@"; }

# The printed sheet as a landscape image at $dpi, in $E2E_OUT/<name>.png. The
# print system feeds A4 portrait; a landscape page arrives on it turned a
# quarter, title along the left edge, as it comes out of a real printer.
dpi=50
sheet_image() {
  local pdf=$1 name=$2
  pdftoppm -r $dpi -png -singlefile "$pdf" "$E2E_OUT/$name-raw" || fail "pdftoppm failed on $pdf"
  local w h
  read -r w h <<<"$(identify -format '%w %h' "$E2E_OUT/$name-raw.png")"
  if [ "$w" -lt "$h" ]; then
    convert "$E2E_OUT/$name-raw.png" -rotate 90 "$E2E_OUT/$name.png"
  else
    cp "$E2E_OUT/$name-raw.png" "$E2E_OUT/$name.png"
  fi
}

# Dark pixels in a rectangle given in inches of the sheet: x y w h.
ink() {
  local img=$1 x=$2 y=$3 w=$4 h=$5
  convert "$img" -crop "$(awk -v x="$x" -v y="$y" -v w="$w" -v h="$h" -v d=$dpi \
      'BEGIN { printf "%dx%d+%d+%d", w*d, h*d, x*d, y*d }')" +repage \
    -colorspace gray -threshold 80% -format '%[fx:round(w*h*(1-mean))]' info:
}

check_report() {
  local pdf=$1 name=$2 title=$3 row=$4 chart_w=$5
  local text
  text=$(pdftotext -layout "$pdf" -) || fail "pdftotext failed on $pdf"
  printf '%s\n' "$text" >"$E2E_OUT/$name.txt"
  grep -qF "$title" <<<"$text" || fail "$name: no title '$title'"
  grep -q "^ *Note: *$" <<<"$text" || fail "$name: no 'Note:'"
  grep -qE "$row" <<<"$text" || fail "$name: no table row matching '$row'"
  [ "$(pdfinfo "$pdf" | awk '/^Pages:/ { print $2 }')" = 1 ] || fail "$name: not one page"

  sheet_image "$pdf" "$name"
  local img="$E2E_OUT/$name.png" w h
  read -r w h <<<"$(identify -format '%w %h' "$img")"
  [ "$w" -gt "$h" ] || fail "$name: the sheet is not landscape"
  # Everything on the page lies inside the frame, 10.8 x 7.3 inches.
  local bw bh bx by
  read -r bw bh bx by <<<"$(convert "$img" -colorspace gray -threshold 80% -trim -format '%w %h %X %Y' info:)"
  awk -v w="$bw" -v h="$bh" -v d=$dpi 'BEGIN { exit !(w/d > 10.7 && w/d < 10.9 && h/d > 7.2 && h/d < 7.4) }' \
    || fail "$name: frame is ${bw}x${bh} px at $dpi dpi"
  # Inch positions measured from the frame's top left corner at (0.2, 0.2).
  local ox oy
  ox=$(awk -v x="${bx#+}" -v d=$dpi 'BEGIN { print x/d - 0.2 }')
  oy=$(awk -v y="${by#+}" -v d=$dpi 'BEGIN { print y/d - 0.2 }')
  at() { awk -v a="$1" -v o="$2" 'BEGIN { print a + o }'; }
  # The title starts at (1, 0.4); the table at (7, 0.5).
  [ "$(ink "$img" "$(at 1 "$ox")" "$(at 0.4 "$oy")" 3 0.3)" -gt 50 ] || fail "$name: no title ink at (1, 0.4)"
  [ "$(ink "$img" "$(at 7 "$ox")" "$(at 0.5 "$oy")" 1 0.5)" -gt 20 ] || fail "$name: no table ink at (7, 0.5)"
  # The chart's place: (0.3, 1), chart_w x 3.7 inches.
  local chart
  chart=$(ink "$img" "$(at 0.35 "$ox")" "$(at 1.05 "$oy")" "$(awk -v w="$chart_w" 'BEGIN { print w - 0.1 }')" 3.6)
  if [ "$chart" -gt 200 ]; then
    echo "$name: chart present ($chart dark pixels)"
  elif [ "$require_chart" = 1 ]; then
    fail "$name: no chart on the page"
  else
    echo "$name: the print copy drew no chart in this build (set TARVEX_E2E_REQUIRE_CHART=1 to require one)"
  fi
}

# ---- the program -------------------------------------------------------------
e2e_start_x 1280x900x24
e2e_start_app
win=$(e2e_main_window 30) || fail "no main window"
xdotool windowactivate --sync "$win" 2>/dev/null || focus_main

# Profile: rows from 10 in steps of 2.5, a note of two lines.
key alt+t; typetext "10"; key Tab; typetext "2.5"; key Tab; typetext "6"; key alt+s
key alt+o; typetext "Butt section stiff, tip soft."; key Return; typetext "Measured at 20 C."
form=$(open_report_form) || fail "the report form did not open (profile)"
typetext "Tour X 65 R"
key Tab Tab Tab space          # Preview
e2e_shot profile-preview
key shift+Tab space            # Print
pdf1=$(wait_pdf 1) || fail "no PDF from the profile report"
key Escape
e2e_until 10 e2e_gone ' - Print Preview$' || fail "the report form did not close"
focus_main
check_report "$pdf1" profile "Tarvex Report (Tour X 65 R)" '^ *12\.5 *$' 6.3

# Polar: rows every 30 degrees, an empty note.
key alt+t; key ctrl+Tab
key alt+e
form=$(open_report_form) || fail "the report form did not open (polar)"
typetext "Spine check"
key Tab Tab Tab space
e2e_shot polar-preview
key shift+Tab space
pdf2=$(wait_pdf 2) || fail "no PDF from the polar report"
check_report "$pdf2" polar "Tarvex Report (Spine check)" '^ *330 *$' 3.7
# An empty note prints "Note:" and nothing under it.
[ -z "$(sed -n '/^ *Note: *$/,$p' "$E2E_OUT/polar.txt" | tail -n +2 | tr -d ' \f\n')" ] || fail "polar: text under an empty note"
grep -q "Measured at 20 C\.$" "$E2E_OUT/profile.txt" || fail "profile: second note line missing"

# ---- without the daemon ------------------------------------------------------
kill "$CUPSD_PID"; wait "$CUPSD_PID" 2>/dev/null || true; CUPSD_PID=
start=$(date +%s)
key space                      # Print again, focus is still on the button
more_windows() { [ "$(app_windows)" -gt 1 ]; }
one_window() { [ "$(app_windows)" = 1 ]; }
e2e_until 15 more_windows || fail "no message when printing without the print system"
elapsed=$(( $(date +%s) - start ))
[ "$elapsed" -le 10 ] || fail "the failure took ${elapsed}s to show"
e2e_shot no-printer-message
key Return
e2e_until 10 one_window || fail "the message did not close"
xdotool search --onlyvisible --name ' - Print Preview$' >/dev/null || fail "the report form went away"
key Escape
e2e_until 10 e2e_gone ' - Print Preview$' || fail "the report form did not close"
[ "$(ls -1 "$CUPS_DIR"/pdf/*.pdf | wc -l)" = 2 ] || fail "a PDF appeared without a print system"

# The program still answers and ends cleanly.
# The typed note is unsaved, so closing asks; No ends the program.
focus_main
key alt+f; sleep 0.4; key x     # the menu takes a moment to open
e2e_until 10 more_windows || fail "closing did not ask to save"
key n
status=$(e2e_wait_exit 20)
[ "$status" = 0 ] || fail "exit status $status"
e2e_no_sanitizer_report
pass
