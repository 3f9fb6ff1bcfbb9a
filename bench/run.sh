#!/bin/sh
# Runs every benchmark of a build folder (it builds nothing) and ends with one
# "RESULT <name> <value> <unit>" line per figure.
# Usage: bench/run.sh [BUILD_DIR]   (default build/)
# CHIMELET_BENCH_PHASE_TICKS sets how many real seconds the tick phase is watched (60).
set -eu
build=${1:-build}
bench="$build/bench"
for b in dbaccess enginetick listtick overlayprepare metafiledraw; do
    [ -x "$bench/$b" ] || { echo "missing $bench/$b: build the benchmarks first" >&2; exit 1; }
done
out=$(mktemp)
trap 'rm -f "$out"' EXIT
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
"$bench/dbaccess" | tee -a "$out"
"$bench/listtick" | tee -a "$out"
"$bench/overlayprepare" | tee -a "$out"
"$bench/metafiledraw" | tee -a "$out"
"$bench/enginetick" "${CHIMELET_BENCH_PHASE_TICKS:-60}" | tee -a "$out"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
grep '^RESULT ' "$out"
