#!/usr/bin/env bash
# The converter binary: data files out as CSV and JSON, back in from CSV to the
# same bytes, and a plain message with a non-zero status for every bad input.
source "$(dirname "$0")/lib.sh"
TVCONV=${TARVEX_BUILD_DIR:-$(dirname "$E2E_BIN")/..}/bin/tvconv
[ -x "$TVCONV" ] || TVCONV=$(dirname "$E2E_BIN")/tvconv
[ -x "$TVCONV" ] || fail "no tvconv binary"
corpus=$(cd "$(dirname "$0")/../fuzz/corpus" && pwd)
cd "$E2E_OUT"

# Printed as the program shows it.
"$TVCONV" "$corpus/polar_file/thirty_149.tvp" > thirty.csv || fail "print polar"
[ "$(head -n 3 thirty.csv)" = $'"     Degree","     Load"\n0,1.5\n30,3' ] || fail "polar CSV: $(head -n 3 thirty.csv)"
[ "$(wc -l < thirty.csv)" = 13 ] || fail "polar CSV rows"
"$TVCONV" "$corpus/profile_file/note_crlf.tvl" > note.csv || fail "print profile"
grep -qx '1,3.141593' note.csv || fail "7-digit text: $(cat note.csv)"
grep -qx 'Note,"shaft 7' note.csv || fail "note line"

# Every seed back through --exact and --build gives the record's bytes.
for f in "$corpus"/profile_file/*.tv? "$corpus"/polar_file/*.tv?; do
  name=$(basename "$f")
  case $name in regression_*) continue ;; esac
  "$TVCONV" --exact "$f" > "$name.csv" 2> "$name.err" || fail "print $name: $(cat "$name.err")"
  "$TVCONV" --build "rebuilt-$name" "$name.csv" || fail "build $name"
  size=$(stat -c %s "rebuilt-$name")
  cmp -n "$size" "$f" "rebuilt-$name" || fail "bytes of $name"
done
# Surplus bytes after a record are not carried over.
[ "$(stat -c %s rebuilt-surplus.tvl)" -lt "$(stat -c %s "$corpus/profile_file/surplus.tvl")" ] || fail "surplus kept"
[ "$(stat -c %s rebuilt-thirty_149.tvp)" = 149 ] || fail "149 bytes"

# JSON is valid and carries the interval the program would lay out.
"$TVCONV" --json "$corpus/polar_file/seven_as_thirty.tvp" > seven.json || fail "json"
python3 -c 'import json,sys; d=json.load(open("seven.json")); assert d["type"]=="polar" and d["interval"]=="30" and len(d["rows"])==51, d' \
  || fail "json content"

# Many files at once into a folder.
mkdir batch
"$TVCONV" --out-dir batch "$corpus"/profile_file/*.tvl || fail "batch"
[ "$(ls batch | wc -l)" = 5 ] && [ -f batch/headings_60.tvl.csv ] || fail "batch files: $(ls batch)"

# Bad input: a message naming the problem and status 1 (2 for usage).
expect() { # status pattern command...
  local want=$1 pattern=$2; shift 2
  local got=0
  "$@" > out.txt 2> err.txt || got=$?
  [ "$got" = "$want" ] || fail "$* exited $got, not $want"
  grep -q -- "$pattern" err.txt || fail "$* said: $(cat err.txt)"
}
head -c 30 "$corpus/profile_file/three_rows_58.tvl" > cut.tvl
printf 'X,Y\n1,2\n3,abc\n' > letters.csv
printf 'X,Y\n1,2,3\n' > three.csv
printf 'X,Y\n1,1e40\n' > huge.csv
printf 'X,Y\n1,2\n\nNote,"a \xe2\x86\x92 b"\n' > arrow.csv
printf 'Degree,Load\n' > empty.csv
printf 'X,"Y\n1,2\n' > open.csv
expect 1 "no such file" "$TVCONV" missing.tvl
expect 1 "damaged" "$TVCONV" cut.tvl
expect 1 "must end in tvl or tvp" "$TVCONV" thirty.csv
expect 1 'line 3, column 2: "abc" is not a number' "$TVCONV" --build x.tvl letters.csv
expect 1 "line 2: expected 2 fields, found 3" "$TVCONV" --build x.tvl three.csv
expect 1 "beyond the range" "$TVCONV" --build x.tvl huge.csv
expect 1 "the note holds characters that the file cannot store" "$TVCONV" --build x.tvl arrow.csv
expect 1 "at least one data row" "$TVCONV" --build x.tvp empty.csv
expect 1 "not closed" "$TVCONV" --build x.tvl open.csv
expect 1 "output name must end" "$TVCONV" --build x.dat letters.csv
expect 2 "several files need --out-dir" "$TVCONV" a.tvl b.tvl
expect 2 "unknown option" "$TVCONV" --frobnicate a.tvl
[ ! -e x.tvl ] && [ ! -e x.tvp ] || fail "a refused build left a file"
# A profile of headings only is fine, and reads from standard input.
"$TVCONV" --build heads.tvl < empty.csv || fail "headings only"
[ "$(stat -c %s heads.tvl)" = 44 ] || fail "headings-only size $(stat -c %s heads.tvl)"
pass
