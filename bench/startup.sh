#!/bin/sh
# Start time and memory of the program beside a bare Qt window (tree view, tray icon,
# one-second timer), both started N times in turn on one private X server. The program
# opens a list of 20 Notifications at start. Prints each run, then
# "RESULT start_ratio <x>" and "RESULT rss_ratio <x>" from the medians, and
# "RESULT open_10k_ms": a list of 10,000 opened at start, from its opening to the first
# paint. Then both run side by side, idle, for CHIMELET_BENCH_IDLE_SECONDS (60), beside the
# program started minimised: processor time (the scheduler's nanoseconds, thread by thread)
# and wake-ups per minute, and the shown program's ratios to the bare window.
# Usage: bench/startup.sh [BUILD_DIR] [N]   (default build/, 15)
set -eu
build=$(cd "${1:-build}" && pwd)
runs=${2:-15}
for f in "$build/chimelet" "$build/bench/startup/barewindow" "$build/bench/startup/startupfiles"; do
    [ -x "$f" ] || { echo "missing $f: build the benchmarks first" >&2; exit 1; }
done
. "$(dirname "$0")/startupdisplay.sh"

# One start: milliseconds from launch to the first paint, and VmRSS in kB one second later.
measure() {
    folder=$1
    shift
    rm -f "$folder/err"
    launch=$(date +%s%3N)
    "$@" 2>"$folder/err" &
    pid=$!
    for _ in $(seq 200); do grep -q 'painted at' "$folder/err" 2>/dev/null && break; sleep 0.05; done
    painted=$(sed -n 's/.*painted at \([0-9]*\) ms.*/\1/p' "$folder/err")
    sleep 1
    rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$((painted - launch)) $rss"
}

# Processor time of all threads of a process in 10 ms ticks (ms), dead threads included:
# a coarse cross-check of the figures below.
cpu_ms() { awk -v hz="$(getconf CLK_TCK)" '{printf "%d\n", ($14 + $15) * 1000 / hz}' "/proc/$1/stat"; }
# One "pid tid run_ns voluntary_switches" line a thread of each process: the scheduler's
# run time in nanoseconds and the times the thread went to sleep by itself (wake-ups).
sample() {
    for p in "$@"; do
        for t in /proc/"$p"/task/*; do
            run="" sw=""
            read -r run _ <"$t/schedstat" 2>/dev/null || continue
            while read -r key value; do
                [ "$key" = voluntary_ctxt_switches: ] && sw=$value
            done <"$t/status" 2>/dev/null
            [ -n "$sw" ] && echo "$p ${t##*/} $run $sw"
        done
    done
}
# Run time (ms, to the microsecond) and wake-ups of a process over the samples, thread by
# thread from its first sample to its last: a thread that began meanwhile counts from
# zero, one that ended counts up to its last sample (taken every second), so Qt's pool
# letting idle threads go takes nothing away.
usage() {
    awk -v pid="$1" '$1 != pid {next}
        !($2 in r0) {r0[$2] = seen ? 0 : $3; w0[$2] = seen ? 0 : $4}
        {r1[$2] = $3; w1[$2] = $4}
        END {for (t in r1) {r += r1[t] - r0[t]; w += w1[t] - w0[t]}
             printf "%.3f %d\n", r / 1e6, w}' seen=0 "$2" seen=1 "$3"
}

median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

mkdir "$work/bare" "$work/prog"
cp "$build/chimelet" "$work/prog/"
[ -f "$build/chmhlp.tub" ] && cp "$build/chmhlp.tub" "$work/prog/"
# The modules the program loads at first use: a sound or an update check would need them.
cp "$build"/chimelet-*.so "$work/prog/"
"$build/bench/startup/startupfiles" "$work/prog"
# One start of each first, so both find the system's caches warm.
measure "$work/bare" "$build/bench/startup/barewindow" >/dev/null
measure "$work/prog" "$work/prog/chimelet" >/dev/null
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
echo "run  bare_ms  bare_rss_kB  chimelet_ms  chimelet_rss_kB"
: >"$work/results"
for i in $(seq "$runs"); do
    b=$(measure "$work/bare" "$build/bench/startup/barewindow")
    c=$(measure "$work/prog" "$work/prog/chimelet")
    echo "$i $b $c" | tee -a "$work/results"
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "chimelet start-up trace of the last run:"
grep -v 'painted at' "$work/prog/err" || true
bms=$(awk '{print $2}' "$work/results" | median)
brss=$(awk '{print $3}' "$work/results" | median)
cms=$(awk '{print $4}' "$work/results" | median)
crss=$(awk '{print $5}' "$work/results" | median)
echo "medians: bare ${bms} ms ${brss} kB, chimelet ${cms} ms ${crss} kB"
echo

# A list of 10,000 Notifications (9.6 MB) opened at start: milliseconds from the start of
# its opening (the trace's "startup: working database", the step before) to the first paint.
mkdir "$work/big"
cp "$build/chimelet" "$work/big/"
"$build/bench/startup/startupfiles" "$work/big" --rows 10000
: >"$work/bigresults"
for i in $(seq "$(( (runs + 2) / 3 ))"); do
    measure "$work/big" "$work/big/chimelet" >/dev/null
    awk '/^startup: working database/ {from = $4} /^main window painted +[0-9]/ {to = $4}
         END {printf "%.1f\n", to - from}' "$work/big/err" | tee -a "$work/bigresults"
done
bigms=$(median <"$work/bigresults")
echo "open 10,000 at start, median: ${bigms} ms (load $(cut -d' ' -f1-3 /proc/loadavg))"
echo
idle=${CHIMELET_BENCH_IDLE_SECONDS:-60}
wm=""
if command -v openbox >/dev/null 2>&1; then
    openbox >/dev/null 2>&1 &
    wm=$!
    sleep 1
fi
mkdir "$work/hidden"
cp "$build/chimelet" "$work/hidden/"
"$build/bench/startup/startupfiles" "$work/hidden" --minimised
"$build/bench/startup/barewindow" 2>/dev/null &
bpid=$!
"$work/prog/chimelet" 2>/dev/null &
cpid=$!
# A runtime folder of its own, or it would be refused as a second copy.
mkdir -m 700 "$work/runtime2"
XDG_RUNTIME_DIR="$work/runtime2" "$work/hidden/chimelet" 2>/dev/null &
hpid=$!
sleep 3
b0=$(cpu_ms $bpid) c0=$(cpu_ms $cpid) h0=$(cpu_ms $hpid)
from=$(date +%s%3N)
sample $bpid $cpid $hpid >"$work/idle0"
: >"$work/idle1"
for _ in $(seq "$idle"); do
    sleep 1
    sample $bpid $cpid $hpid >>"$work/idle1"
done
to=$(date +%s%3N)
b1=$(cpu_ms $bpid) c1=$(cpu_ms $cpid) h1=$(cpu_ms $hpid)
kill $bpid $cpid $hpid $wm
wait $bpid $cpid $hpid $wm 2>/dev/null || true
set -- $(usage $bpid "$work/idle0" "$work/idle1") $(usage $cpid "$work/idle0" "$work/idle1") \
    $(usage $hpid "$work/idle0" "$work/idle1")
bcpu=$1 bw=$2 ccpu=$3 cw=$4 hcpu=$5 hw=$6
span=$((to - from))
echo "idle ${span} ms side by side (load $(cut -d' ' -f1-3 /proc/loadavg)):" \
    "bare $bcpu ms $bw wake-ups, chimelet shown $ccpu ms $cw wake-ups," \
    "chimelet minimised $hcpu ms $hw wake-ups;" \
    "in 10 ms ticks: bare $((b1 - b0)), shown $((c1 - c0)), minimised $((h1 - h0))"

echo "RESULT open_10k_ms $bigms ms"
awk -v c="$cms" -v b="$bms" 'BEGIN {printf "RESULT start_ratio %.2f x\n", c / b}'
awk -v c="$crss" -v b="$brss" 'BEGIN {printf "RESULT rss_ratio %.2f x\n", c / b}'
# Per minute of the span watched; the ratios are the program's over the bare window's.
awk -v c="$ccpu" -v h="$hcpu" -v b="$bcpu" -v cw="$cw" -v hw="$hw" -v bw="$bw" -v ms="$span" '
    BEGIN {
        m = 60000 / ms
        printf "RESULT idle_cpu_shown_ms_per_min %.1f ms\n", c * m
        printf "RESULT idle_cpu_minimised_ms_per_min %.1f ms\n", h * m
        printf "RESULT idle_cpu_bare_ms_per_min %.1f ms\n", b * m
        printf "RESULT idle_wakeups_shown_per_min %.0f count\n", cw * m
        printf "RESULT idle_wakeups_minimised_per_min %.0f count\n", hw * m
        printf "RESULT idle_wakeups_bare_per_min %.0f count\n", bw * m
        printf "RESULT idle_cpu_shown_ratio %.2f x\n", c / b
        printf "RESULT idle_wakeups_shown_ratio %.2f x\n", cw / bw
    }'
