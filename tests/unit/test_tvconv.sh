#!/usr/bin/env bash
# The converter binary: data files out as CSV and JSON (compared with
# tests/golden/tvconv/), back in from CSV to the same bytes, a plain message
# naming the reason with a non-zero status for every bad input, bounded
# reading, and no output lost or cut short unnoticed.
set -euo pipefail
TVCONV=${TVCONV:?the tvconv binary}
src=$(cd "$(dirname "$0")/../.." && pwd)
corpus=$src/tests/fuzz/corpus
golden=$src/tests/golden/tvconv
work=$(mktemp -d)
trap 'umount "$work/full" 2>/dev/null || true; rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

# Printed as the program shows it, and as JSON; TARVEX_UPDATE_GOLDEN=1 rewrites.
mkdir -p shown
for f in "$corpus"/profile_file/*.tvl "$corpus"/polar_file/*.tvp; do
  "$TVCONV" "$f" > "shown/$(basename "$f").csv" 2>&1 || true
done
"$TVCONV" --json "$corpus/polar_file/seven_as_thirty.tvp" > shown/seven_as_thirty.tvp.json
python3 -c 'import json; json.load(open("shown/seven_as_thirty.tvp.json"))' || fail "the JSON does not parse"
# The analyses: a shaft of 3 % spine at 40 degrees and a 0.3 bend at 200, read
# every 30 degrees; a profile, and the same 5 % stiffer.
python3 -c 'import math; print("Degree,Load"); [print(f"{a},{8 + 0.12 * math.cos(math.radians(2 * a - 80)) + 0.3 * math.cos(math.radians(a - 200)):.4f}") for a in range(0, 360, 30)]' > shaft.csv
printf 'X,Y\n0,10\n10,20\n20,30\n30,40\n' > prof.csv
printf 'X,Y\n0,10.5\n10,21\n20,31.5\n30,42\n' > stiffer.csv
for f in shaft.tvp prof.tvl stiffer.tvl; do "$TVCONV" --build $f ${f%.*}.csv || fail "build $f"; done
"$TVCONV" --analyze shaft.tvp > shown/analyze.json
"$TVCONV" --ei span=15in,deflection=0.1in,load=lbf prof.tvl > shown/ei.json
"$TVCONV" --compare prof.tvl stiffer.tvl > shown/compare.json
if [ "${TARVEX_UPDATE_GOLDEN:-}" = 1 ]; then rm -rf "$golden"; cp -r shown "$golden"; fi
diff -r "$golden" shown >&2 || fail "the converter's output differs from tests/golden/tvconv"
cp shown/thirty_149.tvp.csv thirty.csv

# A profile of float bit patterns spread over the whole range, with -0, the
# largest and smallest floats and denormals among them; a heading with a NUL.
python3 - <<'PY'
import struct
edges = [0x80000000, 0x00000000, 0x7F7FFFFF, 0xFF7FFFFF, 0x7F7FFFFE, 0x00800000, 0x80800000,
           0x00000001, 0x80000001, 0x007FFFFF, 0x3DCCCCCD, 0x3EAAAAAB, 0x4B800001, 0x0DA24260, 0x7149F2CA]
spread = [(k * 0x9E3779B1) & 0xFFFFFFFF for k in range(1, 40000)]
bits = [b for b in edges + spread if (b >> 23) & 0xFF != 0xFF][:2 * 20000]
def text(b): return struct.pack('<H', len(b)) + b
def array(words): return struct.pack('<HII', 1, len(words), 0) + b''.join(struct.pack('<I', w) for w in words)
xs, ys = bits[0::2] + [0], bits[1::2] + [0]
open('sweep.tvl', 'wb').write(array(xs) + array(ys) + text(b'') + text(b'a\0b') + text(b'Y'))
PY

# Every seed and the sweep back through --exact and --build give the record's bytes.
for f in "$corpus"/profile_file/*.tv? "$corpus"/polar_file/*.tv? sweep.tvl; do
  name=$(basename "$f")
  case $name in regression_*) continue ;; esac
  "$TVCONV" --exact "$f" > "$name.csv" 2> "$name.err" || fail "print $name: $(cat "$name.err")"
  "$TVCONV" --build "rebuilt-$name" "$name.csv" 2> "$name.err" || fail "build $name: $(cat "$name.err")"
  size=$(stat -c %s "rebuilt-$name")
  cmp -n "$size" "$f" "rebuilt-$name" || fail "bytes of $name"
done
cmp sweep.tvl rebuilt-sweep.tvl || fail "sweep size"
grep -qx -- '-0,0' sweep.tvl.csv || fail "-0 printed as $(sed -n 2p sweep.tvl.csv)"
# Surplus bytes after a record are not carried over.
[ "$(stat -c %s rebuilt-surplus.tvl)" -lt "$(stat -c %s "$corpus/profile_file/surplus.tvl")" ] || fail "surplus kept"
[ "$(stat -c %s rebuilt-thirty_149.tvp)" = 149 ] || fail "149 bytes"
# Standard output is binary-safe: the heading's NUL and all that follows it.
[ "$(head -c 6 sweep.tvl.csv | od -An -c | tr -s ' ')" = ' a \0 b , Y \n' ] || fail "NUL heading: $(head -c 6 sweep.tvl.csv | od -c)"

# JSON is valid and carries the interval the program would lay out.
"$TVCONV" --json "$corpus/polar_file/seven_as_thirty.tvp" > seven.json || fail "json"
python3 -c 'import json,sys; d=json.load(open("seven.json")); assert d["type"]=="polar" and d["interval"]=="30" and len(d["rows"])==51, d' \
  || fail "json content"

# Many files at once into a folder.
mkdir batch
"$TVCONV" --out-dir batch "$corpus"/profile_file/*.tvl || fail "batch"
[ "$(ls batch | wc -l)" = 5 ] && [ -f batch/headings_60.tvl.csv ] || fail "batch files: $(ls batch)"

# Bad input: a message naming the reason and status 1 (2 for usage).
expect() { # status pattern command...
  local want=$1 pattern=$2; shift 2
  local got=0
  "$@" < /dev/null > out.txt 2> err.txt || got=$?
  [ "$got" = "$want" ] || fail "$* exited $got, not $want: $(cat err.txt)"
  grep -q -- "$pattern" err.txt || fail "$* said: $(cat err.txt)"
}
mkdir -p same/a same/b locked folder.tvl collide
cp "$corpus/profile_file/note_crlf.tvl" same/a/run.tvl
cp "$corpus/profile_file/note_crlf.tvl" same/b/run.tvl
cp "$corpus/profile_file/note_crlf.tvl" locked/run.tvl
cp "$corpus/profile_file/note_crlf.tvl" sealed.tvl
head -c 30 "$corpus/profile_file/three_rows_58.tvl" > cut.tvl
printf 'X,Y\n1,2\n3,abc\n' > letters.csv
printf 'X,Y\n1,2,3\n' > three.csv
printf 'X,Y\n1,1e40\n' > huge.csv
printf 'X,Y\n1e309,1\n' > e309.csv
printf 'X,Y\n1,-1e-400\n' > tiny.csv
printf 'X,Y\n1,%s\n' "$(printf '9%.0s' $(seq 400))" > digits400.csv
printf 'X,Y\n1,0.%s1e-9223372036854775807\n' "$(printf '0%.0s' $(seq 400))" > zeros400.csv
printf 'X,Y\n1,2\n\nNote,"a \xe2\x86\x92 b"\n' > arrow.csv
printf 'Degree,Load\n' > empty.csv
printf 'X,"Y\n1,2\n' > open.csv
printf 'X,Y\n1,2\n\nNote,n\nmore,x\n' > afternote.csv
yes 1,2 | head -c 20000000 > rows20m.csv || true
while read -r line; do # status pattern arguments...
  eval "set -- $line"
  status=$1 pattern=$2
  shift 2
  expect "$status" "$pattern" "$TVCONV" "$@"
done <<'CASES'
1 'missing.tvl: cannot open it: No such file' missing.tvl
1 'not a profile data file, or damaged'       cut.tvl
1 'is a folder, not a file'                   folder.tvl
1 'must end in tvl or tvp'                    thirty.csv
1 'line 3, column 2: "abc" is not a number'   --build x.tvl letters.csv
1 'line 2: expected 2 fields, found more'     --build x.tvl three.csv
1 '"1e40" is out of range'                    --build x.tvl huge.csv
1 '"1e309" is out of range: beyond'           --build x.tvl e309.csv
1 '"-1e-400" is out of range: too close to 0' --build x.tvl tiny.csv
1 '(400 characters) is out of range'          --build x.tvl digits400.csv
1 'characters) is out of range: too close to 0' --build x.tvl zeros400.csv
1 'the note holds characters that the file cannot store' --build x.tvl arrow.csv
1 'at least one data row'                     --build x.tvp empty.csv
1 'not closed'                                --build x.tvl open.csv
1 'only one line "Note,<text>" may follow'    --build x.tvl afternote.csv
1 'output name must end'                      --build x.dat letters.csv
1 'missing.csv: cannot open it: No such file' --build x.tvl missing.csv
2 'several files need --out-dir'              a.tvl b.tvl
2 'unknown option'                            --frobnicate a.tvl
2 'same/a/run.tvl and same/b/run.tvl would both be written to' --out-dir collide same/a/run.tvl same/b/run.tvl
CASES
[ ! -e x.tvl ] && [ ! -e x.tvp ] || fail "a refused build left a file"
[ -z "$(ls collide)" ] || fail "a refused --out-dir wrote $(ls collide)"
# A profile of headings only is fine, and reads from standard input.
"$TVCONV" --build heads.tvl < empty.csv || fail "headings only"
[ "$(stat -c %s heads.tvl)" = 44 ] || fail "headings-only size $(stat -c %s heads.tvl)"

# The analyses refuse, with status 1, what they cannot work from.
printf 'X,Y\n0,1\n90,2\n180,3\n270,4\n' > four.csv
printf 'X,Y\n1,2\n' > one.csv
"$TVCONV" --build four.tvp four.csv && "$TVCONV" --build one.tvl one.csv || fail "build"
ei=span=15in,deflection=0.1in
while read -r line; do
  eval "set -- $line"
  expect 1 "$1" "$TVCONV" "${@:2}"
done <<'CASES'
'--analyze takes one polar data file'        --analyze
'prof.tvl: not a polar data file name'       --analyze prof.tvl
'four.tvp: 4 readings: the analysis needs at least 6' --analyze four.tvp
'--ei takes the bench geometry'              --ei prof.tvl
'--ei needs span, deflection and load'       --ei span=15in prof.tvl
'unknown setting "x=1"'                      --ei $ei,load=lbf,x=1 prof.tvl
'lengths in in or mm'                        --ei span=15,deflection=0.1in,load=lbf prof.tvl
'the load unit is kg, lbf or N, not "oz"'    --ei $ei,load=oz prof.tvl
'the deflection must be a length above 0'    --ei span=15in,deflection=0mm,load=N prof.tvl
'give under the load takes up the whole'     --ei $ei,load=lbf,compliance=0.01in prof.tvl
'one.tvl: the zones need readings at two'    --ei $ei,load=lbf one.tvl
'--compare takes the reference'              --compare prof.tvl
'missing.tvl: cannot open it'                --compare missing.tvl prof.tvl
'within the reference'                       --compare one.tvl prof.tvl
CASES

# Endless or oversized input is refused early, before it fills the memory.
bounded() { # pattern shell-command: status 1, the pattern said, little time and memory
  python3 - "$1" "$2" <<'PY' || fail "$2: see above"
import resource, subprocess, sys
p = subprocess.run(['bash', '-c', sys.argv[2]], capture_output=True, timeout=60)
mb = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss // 1024
err = p.stderr.decode(errors='replace')
if p.returncode != 1 or sys.argv[1] not in err or mb > 200:
    sys.exit(f'exit {p.returncode}, {mb} MB: {err}')
PY
}
export TVCONV
bounded 'more than 32766 data rows'             'yes 1,2 | "$TVCONV" --build x.tvl'
bounded 'more than 64 empty lines'              'yes "" | "$TVCONV" --build x.tvl'
bounded 'a field of more than 65535 characters' '"$TVCONV" --build x.tvl /dev/zero'
bounded 'more than 32766 data rows'             '"$TVCONV" --build x.tvl < rows20m.csv'
[ ! -e x.tvl ] || fail "a refused build left a file"

# A full standard output is an error, not a success.
expect 1 'standard output: No space left on device' bash -c '"$TVCONV" sealed.tvl > /dev/full'

# Permissions are named as such: not "damaged", not "no such file". Root reads
# everything, so the converter runs as nobody then.
chmod 000 sealed.tvl locked
as_user=()
[ "$(id -u)" = 0 ] && as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
if "${as_user[@]}" "$TVCONV" --help > /dev/null 2>&1; then
  expect 1 'sealed.tvl: cannot open it: Permission denied' "${as_user[@]}" "$TVCONV" sealed.tvl
  expect 1 'locked/run.tvl: cannot open it: Permission denied' "${as_user[@]}" "$TVCONV" locked/run.tvl
else
  echo "SKIP (permission messages): the tvconv binary cannot be run as an unprivileged user here"
fi
chmod 755 locked
chmod 644 sealed.tvl

# A full disk leaves the old output byte for byte and exits 1.
mkdir full
if [ "$(id -u)" != 0 ]; then
  echo "SKIP (full disk): mounting a small tmpfs needs root"
elif ! mount -t tmpfs -o size=64k tmpfs full 2>mount.err; then
  echo "SKIP (full disk): cannot mount a tmpfs: $(cat mount.err)"
else
  mountpoint -q full || fail "no tmpfs at full/"
  "$TVCONV" --build full/run.tvl < empty.csv || fail "build on tmpfs"
  printf 'X,Y\n1,2\n' > full/sweep.tvl.csv
  cp full/run.tvl old.tvl
  cp full/sweep.tvl.csv old.csv
  # Some room left (the write is cut short), then none; the filler is kept
  # within what the tmpfs holds, should it not be the tmpfs after all.
  for room in 8 0; do
    avail=$(df --output=avail full | tail -n 1)
    dd if=/dev/zero of=full/filler$room bs=1k count=$((avail > 64 ? 64 : avail - room)) 2>/dev/null || true
    [ "$(df --output=avail full | tail -n 1)" -le "$room" ] || fail "the tmpfs has more than ${room}k left"
    expect 1 'full/run.tvl: cannot write the file: No space left on device' "$TVCONV" --build full/run.tvl sweep.tvl.csv
    expect 1 'full/sweep.tvl.csv: cannot write it: No space left on device' "$TVCONV" --out-dir full sweep.tvl
    expect 1 'standard output: No space left on device' bash -c '"$TVCONV" sweep.tvl > full/stdout.csv'
    cmp old.tvl full/run.tvl || fail "the old data file was changed (${room}k left)"
    cmp old.csv full/sweep.tvl.csv || fail "the old CSV was changed (${room}k left)"
    [ -z "$(ls -A full | grep -v -e '^filler' -e '^run.tvl$' -e '^sweep.tvl.csv$' -e '^stdout.csv$')" ] \
      || fail "left behind: $(ls -A full)"
    rm full/stdout.csv
  done
  umount full
fi
echo PASS
