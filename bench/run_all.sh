#!/usr/bin/env bash
# Runs every benchmark and prints one table. A benchmark is either a program
# build/bench/bench_* or a script bench/bench_*.sh; each prints lines
#   BENCH <figure> <measured> <floor> <goal-ratio>
set -uo pipefail
build=${TARVEX_BUILD_DIR:-build}
src=${TARVEX_SOURCE_DIR:-.}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
out=$(mktemp)
for b in "$build"/bench/bench_*; do
  [ -x "$b" ] && "$b" 2>/dev/null | grep '^BENCH ' >> "$out"
done
for s in "$src"/bench/bench_*.sh; do
  [ -f "$s" ] && bash "$s" 2>/dev/null | grep '^BENCH ' >> "$out"
done
printf '%-58s %14s %14s %8s %8s %s\n' figure measured floor ratio goal verdict
awk '{ r = ($4 > 0) ? $3 / $4 : 0; v = (r <= $5) ? "ok" : "over";
       printf "%-58s %14.6g %14.6g %8.3f %8.3g %s\n", $2, $3, $4, r, $5, v }' "$out"
rm -f "$out"
