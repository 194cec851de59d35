#!/usr/bin/env bash
# The converter binary: data files out as CSV and JSON (compared with
# tests/golden/tvconv/), back in from CSV to the same bytes, and every command
# line of tests/golden/tvconv.txt with its status and first line said; reading
# is bounded and no output is lost or cut short unnoticed.
set -euo pipefail
TVCONV=${TVCONV:?the tvconv binary}
src=$(cd "$(dirname "$0")/../.." && pwd)
corpus=$src/tests/fuzz/corpus
golden=$src/tests/golden
work=$(mktemp -d)
libdir=$(mktemp -d)
trap 'rm -rf "$work" "$libdir"' EXIT
# The library of the --library lines; outside the folder whose new files the
# command lines list.
export TARVEX_LIBRARY=$libdir/library.sqlite
cd "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }
update() { [ "${TARVEX_UPDATE_GOLDEN:-}" = 1 ]; }

# Printed as the program shows it, and as JSON; the analyses of a shaft of
# 3 % spine at 40 degrees and a 0.3 bend at 200, read every 30 degrees, and of
# a profile against the same 5 % stiffer.
mkdir -p shown
for f in "$corpus"/profile_file/*.tvl "$corpus"/polar_file/*.tvp; do
  "$TVCONV" "$f" > "shown/$(basename "$f").csv" 2>&1 || true
done
"$TVCONV" --json "$corpus/polar_file/seven_as_thirty.tvp" > shown/seven_as_thirty.tvp.json
python3 -c 'import json; d=json.load(open("shown/seven_as_thirty.tvp.json")); assert d["type"]=="polar" and d["interval"]=="30" and len(d["rows"])==51, d' \
  || fail "the JSON does not parse or lacks the interval"
# The tables built into data files are kept as CSV in tests/golden/tvconv-in/.
cp "$golden"/tvconv-in/*.csv .
for f in shaft.tvp prof.tvl stiffer.tvl four.tvp one.tvl; do "$TVCONV" --build $f ${f%.*}.csv || fail "build $f"; done
"$TVCONV" --analyze shaft.tvp > shown/analyze.json
"$TVCONV" --ei span=15in,deflection=0.1in,load=lbf prof.tvl > shown/ei.json
"$TVCONV" --compare prof.tvl stiffer.tvl > shown/compare.json
# The frequency a meter would read on a tapered steel iron (EI 34 to 69 N m^2
# from 4 to 34 in), in inches and in millimetres (the same shaft, the same cpm).
for f in iron iron-mm; do "$TVCONV" --build $f.tvl $f.csv || fail "build $f"; done
cpm() { "$TVCONV" --cpm "span=15in,deflection=0.1in,load=lbf,length=39in,clamp=5in,tip=255g,weight=120g$1" iron.tvl; }
cpm '' > shown/cpm.json
cpm ',balance=21in,offset=0.5in,tiptrim=1in,butttrim=0.5in' > shown/cpm-trimmed.json
"$TVCONV" --cpm span=381mm,deflection=2.54mm,load=lbf,length=990.6mm,clamp=127mm,tip=255g,weight=120g iron-mm.tvl > shown/cpm-mm.json
# A matched set of 8 profiles, within half a percent of one another but s6,
# 6 % soft at three positions: s6 alone is flagged, and comes first, softest.
for s in 1 2 3 4 5 6 7 8; do "$TVCONV" --build s$s.tvl s$s.csv || fail "build s$s"; done
"$TVCONV" --set s1.tvl s2.tvl s3.tvl s4.tvl s5.tvl s6.tvl s7.tvl s8.tvl > shown/set.json
python3 -c 'import json; d=json.load(open("shown/set.json")); f=[s["file"] for s in d["shafts"] if s["flagged"]]; assert f==["s6.tvl"] and d["order"][0]=="s6.tvl", (f, d["order"])' \
  || fail "the matched set flags other than s6, or s6 is not the softest"

# Where the others agree exactly: one 50 % soft among four copies is flagged
# (set5.json); among two, the set says it is too small to single one out
# (set3.json). Rows in another order are the same positions.
for f in half shuffled; do "$TVCONV" --build $f.tvl $f.csv || fail "build $f"; done
"$TVCONV" --set prof.tvl shuffled.tvl prof.tvl prof.tvl half.tvl > shown/set5.json
"$TVCONV" --set prof.tvl prof.tvl half.tvl > shown/set3.json

# A set of eight irons of one model (41 in, 120 g, read every 2 in), a hair apart, heads 7 g a club
# heavier, given softest to the longest: every club on the line, and the same set from the files in
# another order. Files whose notes lack the length or weight are all named, and nothing is printed.
for f in i1 i2 i3 i4 i5 i6 i7 i8 nolength; do "$TVCONV" --build $f.tvl $f.csv || fail "build $f"; done
irons=span=15in,deflection=0.1in,load=lbf,clamp=5in,tip=255g,first=37in,spacing=0.5in,slope=4.3,tipstep=7g,assign=auto
"$TVCONV" --build-set $irons i1.tvl i2.tvl i3.tvl i4.tvl i5.tvl i6.tvl i7.tvl i8.tvl > shown/build-set.json
"$TVCONV" --build-set $irons i5.tvl i8.tvl i2.tvl i7.tvl i1.tvl i4.tvl i6.tvl i3.tvl > shuffled.json
cmp shown/build-set.json shuffled.json || fail "the set differs with the files in another order"
python3 -c 'import json; d=json.load(open("shown/build-set.json")); c=d["clubs"]; assert len(c)==8 and all(k["on_line"] for k in c), c' \
  || fail "a club of the set is off the line"
status=0
"$TVCONV" --build-set $irons i1.tvl nolength.tvl prof.tvl > none.out 2> none.err || status=$?
[ $status = 1 ] && [ ! -s none.out ] && grep -q '^tvconv: nolength.tvl: the note does not give the shaft.s length' none.err \
  && grep -q '^tvconv: prof.tvl: the note gives neither' none.err || fail "files lacking details: $status $(cat none.err)"

# The library: a folder with a damaged file among good ones stores the good
# ones (a.tvl and a.tvp are two measurements of shaft a) and names the other;
# they are listed, found by text, and written back to the same bytes.
mkdir imp
cp prof.tvl imp/a.tvl; cp shaft.tvp imp/a.tvp; cp stiffer.tvl imp/b.tvl
head -c 30 prof.tvl > imp/cut.tvl
touch -d '2026-01-02 03:04:05 UTC' imp/*
status=0
"$TVCONV" --library import imp > imp.out 2> imp.err || status=$?
[ $status = 1 ] && grep -qx 'tvconv: skipped imp/cut.tvl: not a profile data file, or damaged' imp.err \
  && grep -qx 'tvconv: imported 3 measurements of 2 shafts; 1 files were skipped' imp.err || fail "import: $status $(cat imp.err)"
{ "$TVCONV" --library list; "$TVCONV" --library list B; } > shown/library-list.txt
"$TVCONV" --library export 1 back.tvl && cmp back.tvl prof.tvl || fail "export of the profile"
"$TVCONV" --library export 2 back.tvp && cmp back.tvp shaft.tvp || fail "export of the polar file"
rm -rf imp back.tvl back.tvp

# The library gives back every file as it was, whatever language the desktops
# that import and export speak: random float loads with NaN and infinities
# among them, a polar file of 13 loads (one more than its table shows) with
# odd angle texts. Importing again stores nothing; a name that is not UTF-8
# is named as skipped.
mkdir exact
python3 - <<'PY'
import random, struct
random.seed(7)
def text(b): return struct.pack('<H', len(b)) + b
def array(fmt, values): return struct.pack('<HII', 1, len(values), 0) + b''.join(struct.pack(fmt, v) for v in values)
def rnd(): return struct.unpack('<f', struct.pack('<I', random.getrandbits(32) & 0x7F7FFFFF | random.getrandbits(1) << 31))[0]
for name, n in (('r1', 1000), ('r2', 40)):
    xs = [float(i) for i in range(n)] + [0.0]
    ys = [random.uniform(0, 100) for _ in range(n)] + [0.0]
    ys[3], ys[4], ys[5], xs[6] = float('nan'), float('inf'), float('-inf'), rnd()
    open(f'exact/{name}.tvl', 'wb').write(array('<f', xs) + array('<f', ys) + text(b'note \xe9') + text(b'X') + text(b'Y'))
angles = [b'0\xb0', b'', b'A;B', b' 7 ', b'1e3', b'-0', b'x' * 40, b'30', b'60', b'90', b'120', b'150', b'\xff']
loads = [random.uniform(7, 9) for _ in angles]
open('exact/p13.tvp', 'wb').write(struct.pack('<HII', 1, 13, 0) + b''.join(text(a) for a in angles)
                                  + array('<f', loads) + text(b'') + text(b'Degree') + text(b'Load'))
open(b'exact/bad\xff.tvl', 'wb').write(b'whatever')
PY
comma="env LC_ALL=de_DE.UTF-8 LOCPATH=${TARVEX_COMMA_LOCPATH:-}"
point="env LC_ALL=C"
for order in "comma point" "point comma"; do
  set -- $order
  lib=$libdir/$1.sqlite
  status=0
  TARVEX_LIBRARY=$lib ${!1} "$TVCONV" --library import exact > exact.out 2> exact.err || status=$?
  [ $status = 1 ] && grep -q "^tvconv: skipped exact/bad.*\.tvl: the file name is not valid UTF-8; rename it to import it$" exact.err \
    && grep -qx 'tvconv: imported 3 measurements of 3 shafts; 1 files were skipped' exact.err || fail "exact import ($1): $status $(cat exact.err)"
  TARVEX_LIBRARY=$lib ${!2} "$TVCONV" --library list | awk -F'\t' 'NR > 1 { print $1, $10, $3 }' > exact.lst
  [ "$(wc -l < exact.lst)" = 3 ] || fail "exact list ($2): $(cat exact.lst)"
  while read -r id label kind; do
    ext=tvl; [ "$kind" = polar ] && ext=tvp
    TARVEX_LIBRARY=$lib ${!2} "$TVCONV" --library export "$id" "back.$ext" || fail "export $label ($2)"
    cmp "back.$ext" "exact/$label.$ext" || fail "$label.$ext imported on a $1 desktop, exported on a $2 one"
    rm "back.$ext"
  done < exact.lst
  status=0
  TARVEX_LIBRARY=$lib ${!2} "$TVCONV" --library import exact > exact.out 2> exact.err || status=$?
  grep -qx 'tvconv: not stored again exact/r1.tvl: already in the library as measurement [0-9]*' exact.err \
    && grep -qx 'tvconv: imported 0 measurements of 0 shafts; 3 files were in the library already; 1 files were skipped' exact.err \
    || fail "import again ($2): $status $(cat exact.err)"
done
rm -rf exact exact.*
if update; then rm -rf "$golden/tvconv"; cp -r shown "$golden/tvconv"; fi
diff -r "$golden/tvconv" shown >&2 || fail "the converter's output differs from tests/golden/tvconv"

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

# Every seed and the sweep back through --exact and --build give the record's
# bytes; surplus bytes after a record are not carried over.
for f in "$corpus"/profile_file/*.tv? "$corpus"/polar_file/*.tv? sweep.tvl; do
  name=$(basename "$f")
  case $name in regression_*) continue ;; esac
  "$TVCONV" --exact "$f" > "$name.csv" 2> "$name.err" || fail "print $name: $(cat "$name.err")"
  "$TVCONV" --build "rebuilt-$name" "$name.csv" 2> "$name.err" || fail "build $name: $(cat "$name.err")"
  cmp -n "$(stat -c %s "rebuilt-$name")" "$f" "rebuilt-$name" || fail "bytes of $name"
done
cmp sweep.tvl rebuilt-sweep.tvl || fail "sweep size"
grep -qx -- '-0,0' sweep.tvl.csv || fail "-0 printed as $(sed -n 2p sweep.tvl.csv)"
[ "$(stat -c %s rebuilt-surplus.tvl)" -lt "$(stat -c %s "$corpus/profile_file/surplus.tvl")" ] || fail "surplus kept"
[ "$(stat -c %s rebuilt-thirty_149.tvp)" = 149 ] || fail "149 bytes"
# Standard output is binary-safe: the heading's NUL and all that follows it.
[ "$(head -c 6 sweep.tvl.csv | od -An -c | tr -s ' ')" = ' a \0 b , Y \n' ] || fail "NUL heading: $(head -c 6 sweep.tvl.csv | od -c)"

# The command lines: "arguments | standard input => status | first line said
# | files written". Standard input is written with \n; "nobody" runs the
# converter as an unprivileged user (root reads everything), for the
# permission messages.
mkdir -p same/a same/b locked folder.tvl collide
for f in same/a/run.tvl same/b/run.tvl locked/run.tvl sealed.tvl; do cp "$corpus/profile_file/note_crlf.tvl" $f; done
head -c 30 "$corpus/profile_file/three_rows_58.tvl" > cut.tvl
cp shown/thirty_149.tvp.csv thirty.csv
chmod 755 .
chmod 000 sealed.tvl locked
nobody=
[ "$(id -u)" = 0 ] && nobody='setpriv --reuid=65534 --regid=65534 --clear-groups'
# Listed in before.lst themselves, so that no run of the loop takes them for
# a file the converter wrote (find may start before the shell creates them).
touch out.txt err.txt before.lst after.lst tvconv.txt
find . -type f | sort > before.lst
while IFS= read -r line; do
  [[ $line == *' =>'* && $line != '#'* ]] || { echo "$line"; continue; }
  input=${line%% =>*}
  args=${input%% | *}
  stdin=
  [ "$args" = "$input" ] || stdin=${input#* | }
  as=
  if [[ $args == 'nobody '* ]]; then
    args=${args#nobody }
    as=$nobody
    $as "$TVCONV" --help > /dev/null 2>&1 || { echo "SKIP: cannot run as nobody: $line" >&2; echo "$line"; continue; }
  fi
  status=0
  eval "$as \"\$TVCONV\" $args" < <(printf '%b' "$stdin") > out.txt 2> err.txt || status=$?
  find . -type f | sort > after.lst
  written=$(comm -13 before.lst after.lst | while read -r f; do
    printf ' %s (%s bytes)' "${f#./}" "$(stat -c %s "$f")"; rm -f "$f"; done || true)
  echo "$input => $status | $(head -n 1 err.txt)${written:+ | wrote$written}"
done < "$golden/tvconv.txt" > tvconv.txt
chmod 755 locked
chmod 644 sealed.tvl
if update; then cp tvconv.txt "$golden/tvconv.txt"; fi
diff "$golden/tvconv.txt" tvconv.txt >&2 || fail "the command lines differ from tests/golden/tvconv.txt"

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
yes 1,2 | head -c 20000000 > rows20m.csv || true
bounded 'more than 32766 data rows'             'yes 1,2 | "$TVCONV" --build x.tvl'
bounded 'more than 64 empty lines'              'yes "" | "$TVCONV" --build x.tvl'
bounded 'a field of more than 65535 characters' '"$TVCONV" --build x.tvl /dev/zero'
bounded 'more than 32766 data rows'             '"$TVCONV" --build x.tvl < rows20m.csv'
[ ! -e x.tvl ] || fail "a refused build left a file"
echo PASS
