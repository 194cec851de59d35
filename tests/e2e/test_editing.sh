#!/usr/bin/env bash
# Keyboard only: lay out the profile table, type a small table into it, copy
# a block through the Edit menu and paste it elsewhere, paste a block copied
# from a "spreadsheet", and read the cells back through the system clipboard.
source "$(dirname "$0")/lib.sh"
command -v xclip >/dev/null || fail "xclip is missing (scripts/deps.sh test installs it)"

e2e_start_x
e2e_start_app
win=$(e2e_main_window 30) || fail "no main window"
sleep 0.5
xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"

keys() { xdotool key --delay 40 "$@"; sleep 0.3; }
typed() { xdotool type --delay 60 "$1"; sleep 0.2; }

# What the program put on the clipboard, with tabs and carriage returns shown.
clipboard() { xclip -o -selection clipboard 2>/dev/null | sed -e 's/\t/<TAB>/g' | tr '\r' '|'; }

wait_clipboard() {
  local want=$1 got
  for _ in $(seq 100); do
    got=$(clipboard)
    [ "$got" = "$want" ] && return 0
    sleep 0.1
  done
  fail "clipboard holds '$got', expected '$want'"
}

# Copies the whole table (rows 1 to the last, both columns) and checks it.
expect_table() {
  keys ctrl+Home shift+ctrl+End Menu
  keys Down Down Down Down Return        # Delete, Clear, Insert, Copy
  wait_clipboard "$1"
}

# Five empty data rows: Count 5, Set.
keys alt+u
typed 5
keys alt+s
# From the Start box one step back in the focus chain is the table.
keys alt+t shift+Tab

# Rows 1 to 3, typed cell after cell; Enter moves on along the row.
for cell in 10 5 20 7 30 9; do
  typed "$cell"
  keys Return
done
e2e_shot typed
expect_table "10<TAB>5|20<TAB>7|30<TAB>9|<TAB>|<TAB>"

# Copy rows 1-2 and paste them into rows 4-5.
keys ctrl+Home shift+Down shift+Right Menu
keys Down Down Down Down Return
wait_clipboard "10<TAB>5|20<TAB>7"
keys ctrl+Home Down Down Down shift+Down shift+Right Menu
keys p
e2e_shot pasted
expect_table "10<TAB>5|20<TAB>7|30<TAB>9|10<TAB>5|20<TAB>7"

# A spreadsheet's block: tab-separated, rows ended by line feeds.
printf '1.5\t2\n3\t4.25\n' | xclip -selection clipboard -quiet -loops 0 >/dev/null 2>&1 &
E2E_PIDS+=($!)
for _ in $(seq 100); do [[ "$(clipboard)" == *4.25* ]] && break; sleep 0.1; done
[[ "$(clipboard)" == *4.25* ]] || fail "xclip did not take the clipboard"
keys ctrl+Home Down shift+Down shift+Right Menu
keys p
expect_table "10<TAB>5|1.5<TAB>2|3<TAB>4.25|10<TAB>5|20<TAB>7"

# Editing a cell in place: F2, Backspace, a new digit, Enter.
keys ctrl+Home F2 BackSpace
typed 1
keys Return
expect_table "11<TAB>5|1.5<TAB>2|3<TAB>4.25|10<TAB>5|20<TAB>7"
e2e_shot edited

# The table was changed, so closing asks; No ends the program.
keys alt+f
keys x
keys n
status=$(e2e_wait_exit 20)
[ "$status" = 0 ] || fail "exit status $status"
e2e_no_sanitizer_report
pass
