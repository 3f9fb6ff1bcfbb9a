#!/bin/sh
# Start time and memory of the program beside a bare Qt window (tree view, tray icon,
# one-second timer), both started N times in turn on one private X server. The program
# opens a list of 20 Notifications at start. Prints each run, then
# "RESULT start_ratio <x>" and "RESULT rss_ratio <x>" from the medians, and
# "RESULT open_10k_ms": a list of 10,000 opened at start, from its opening to the first
# paint. Then both run side by side, idle, for CHIMELET_BENCH_IDLE_SECONDS (60): processor
# time and wake-ups per minute.
# Usage: bench/startup.sh [BUILD_DIR] [N]   (default build/, 15)
set -eu
build=$(cd "${1:-build}" && pwd)
runs=${2:-15}
for f in "$build/chimelet" "$build/bench/startup/barewindow" "$build/bench/startup/startupfiles"; do
    [ -x "$f" ] || { echo "missing $f: build the benchmarks first" >&2; exit 1; }
done
work=$(mktemp -d)
xvfb=""
cleanup() {
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# A private display; its number is chosen by the server.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
exec 3>&-
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
export XDG_RUNTIME_DIR="$work/runtime" SDL_AUDIODRIVER=dummy CHIMELET_TRACE_STARTUP=1
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

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

# Processor time (ms) and voluntary context switches of all threads of a process.
cpu_ms() { awk -v hz="$(getconf CLK_TCK)" '{printf "%d\n", ($14 + $15) * 1000 / hz}' "/proc/$1/stat"; }
# Voluntary context switches ("tid count" lines), one line a thread.
switches() {
    for t in /proc/"$1"/task/*; do
        echo "${t##*/} $(awk '/^voluntary_ctxt_switches/ {print $2}' "$t/status" 2>/dev/null)"
    done
}
# Wake-ups between two snapshots, thread by thread: a thread that ended meanwhile (Qt's pool
# lets idle ones go) takes no count away, and one that began counts from zero.
wakeups() { awk 'NR == FNR {was[$1] = $2; next} $2 != "" {s += $2 - was[$1]} END {print s + 0}' "$1" "$2"; }

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
for p in $bpid $cpid $hpid; do switches $p >"$work/switches0.$p"; done
sleep "$idle"
b1=$(cpu_ms $bpid) c1=$(cpu_ms $cpid) h1=$(cpu_ms $hpid)
for p in $bpid $cpid $hpid; do switches $p >"$work/switches1.$p"; done
bw=$(wakeups "$work/switches0.$bpid" "$work/switches1.$bpid")
cw=$(wakeups "$work/switches0.$cpid" "$work/switches1.$cpid")
hw=$(wakeups "$work/switches0.$hpid" "$work/switches1.$hpid")
kill $bpid $cpid $hpid $wm
wait $bpid $cpid $hpid $wm 2>/dev/null || true
echo "idle ${idle} s side by side: bare $((b1 - b0)) ms $bw wake-ups," \
    "chimelet shown $((c1 - c0)) ms $cw wake-ups, chimelet minimised $((h1 - h0)) ms $hw wake-ups"

echo "RESULT open_10k_ms $bigms ms"
awk -v c="$cms" -v b="$bms" 'BEGIN {printf "RESULT start_ratio %.2f x\n", c / b}'
awk -v c="$crss" -v b="$brss" 'BEGIN {printf "RESULT rss_ratio %.2f x\n", c / b}'
awk -v c=$((c1 - c0)) -v h=$((h1 - h0)) -v b=$((b1 - b0)) -v s="$idle" 'BEGIN {
    printf "RESULT idle_cpu_shown_ms_per_min %.0f ms\n", c * 60 / s
    printf "RESULT idle_cpu_minimised_ms_per_min %.0f ms\n", h * 60 / s
    printf "RESULT idle_cpu_bare_ms_per_min %.0f ms\n", b * 60 / s
}'
awk -v c="$cw" -v h="$hw" -v b="$bw" -v s="$idle" 'BEGIN {
    printf "RESULT idle_wakeups_shown_per_min %.0f count\n", c * 60 / s
    printf "RESULT idle_wakeups_minimised_per_min %.0f count\n", h * 60 / s
    printf "RESULT idle_wakeups_bare_per_min %.0f count\n", b * 60 / s
}'
