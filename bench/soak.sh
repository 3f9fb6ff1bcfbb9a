#!/bin/sh
# A day of use: the real program with 200 repeating Notifications (text strips, balloons,
# pictures, fades) on a private X display, its clocks run SPEED times fast by libfaketime,
# for MINUTES real minutes (default 24 at 60x: a program day). A Run Once "checkpoint"
# falls due near the end. Resident memory is sampled every program hour.
# Prints "RESULT soak_alive", "soak_checkpoint_fired", "soak_balloon_firings" (the balloons
# asked of the notification service, counted on the bus: 2 of 3 rows pop one) beside
# "soak_balloon_firings_due", "soak_rss_first_hour_kB", "soak_rss_end_kB",
# "soak_growth_per_day_kB" (after the first hour; at SPEED 1 read the next line instead),
# "soak_growth_per_1000_balloons_kB" and "soak_cpu_share".
# A program that ends by itself is reported with its exit status or signal, and its core
# dump (where the kernel writes one to a file) is kept with the executable in
# CHIMELET_SOAK_KEEP (default /tmp/chimelet-soak-core.XXXXXX).
# Usage: bench/soak.sh [BUILD_DIR] [MINUTES] [SPEED]   (run it under nice -n 19)
# CHIMELET_SOAK_WRAP runs the program under a tool, e.g. "heaptrack -o /tmp/soak";
# CHIMELET_SOAK_SHOT saves a picture of the screen at the end; CHIMELET_SOAK_NOTIFY=none
# runs it with no notification service (the program's own balloons).
# CHIMELET_SOAK_BRISK=1 makes every row a countdown of 1 to 3 seconds: about a hundred
# firings a second, to find what grows per firing at SPEED 1 (no libfaketime), e.g.
# CHIMELET_SOAK_BRISK=1 CHIMELET_SOAK_WRAP="heaptrack -o /tmp/soak" bench/soak.sh build 5 1
set -eu
build=$(cd "${1:-build}" && pwd)
minutes=${2:-24}
speed=${3:-60}
for f in "$build/chimelet" "$build/bench/soak/soakfiles"; do
    [ -x "$f" ] || { echo "missing $f: build the benchmarks first" >&2; exit 1; }
done
faketime=""
for d in /usr/lib/x86_64-linux-gnu /usr/lib/aarch64-linux-gnu /usr/lib; do
    [ -f "$d/faketime/libfaketime.so.1" ] && faketime="$d/faketime/libfaketime.so.1"
done
[ -n "$faketime" ] || [ "$speed" = 1 ] || { echo "libfaketime is missing (Debian package faketime)" >&2; exit 1; }
work=$(mktemp -d)
xvfb="" wm="" bus="" pid="" monitor=""
cleanup() {
    for p in $pid $monitor $wm $bus $xvfb; do kill "$p" 2>/dev/null || true; done
    # The program writes its files as it ends: they go after it.
    if [ -n "$pid" ]; then
        (sleep 5 && kill -KILL "$pid" 2>/dev/null) &
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
exec 3>&-
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
DISPLAY=":$(cat "$work/display")"
export DISPLAY
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" SDL_AUDIODRIVER=dummy
mkdir -m 700 "$XDG_RUNTIME_DIR" "$HOME"
unset QT_QPA_PLATFORM
if command -v openbox >/dev/null 2>&1; then
    openbox >/dev/null 2>&1 &
    wm=$!
fi
# A session bus of its own, so balloons touch no desktop's service. It starts an installed
# notification service at the first balloon; CHIMELET_SOAK_NOTIFY=none keeps it from that.
if command -v dbus-daemon >/dev/null 2>&1; then
    busconfig="--session"
    if [ "${CHIMELET_SOAK_NOTIFY:-}" = none ]; then
        sed '/<standard_session_servicedirs/d; /<servicedir>/d' /usr/share/dbus-1/session.conf \
            >"$work/session.conf"
        busconfig="--config-file=$work/session.conf"
    fi
    dbus-daemon "$busconfig" --nofork --print-address=1 >"$work/bus" 2>"$work/busout" &
    bus=$!
    for _ in $(seq 50); do [ -s "$work/bus" ] && break; sleep 0.1; done
    DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
    export DBUS_SESSION_BUS_ADDRESS
    # Every balloon is a Notify call, answered or not: counted from outside the program.
    stdbuf -oL dbus-monitor --profile \
        "type='method_call',interface='org.freedesktop.Notifications',member='Notify'" \
        >"$work/notify" 2>/dev/null &
    monitor=$!
fi

mkdir "$work/prog"
cp "$build/chimelet" "$build"/chimelet-*.so "$work/prog/"
[ -x "$build/chimelet-wmf" ] && cp "$build/chimelet-wmf" "$work/prog/"
# The checkpoint comes 95 % of the way through, at most a day minus a minute away.
program_secs=$((minutes * 60 * speed))
checkpoint=$((program_secs * 95 / 100))
[ "$checkpoint" -gt 86340 ] && checkpoint=86340
brisk=""
[ "${CHIMELET_SOAK_BRISK:-0}" = 1 ] && brisk=brisk
"$build/bench/soak/soakfiles" "$work/prog" "$checkpoint" $brisk >"$work/rows"
record=$(head -n1 "$work/rows")

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$1/status"; }

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
echo "soak: $minutes min at ${speed}x = $((program_secs / 3600)) program hours, checkpoint at +${checkpoint} s"
start=$(date +%s)
# A crash leaves a core: in the program's folder where the kernel writes one to a file.
core_pattern=$(cat /proc/sys/kernel/core_pattern 2>/dev/null || echo "?")
[ "$speed" = 1 ] && faketime=""
# shellcheck disable=SC3045
(cd "$work/prog" && ulimit -c unlimited 2>/dev/null; LD_PRELOAD="$faketime" FAKETIME="+0 x$speed" FAKETIME_NO_CACHE=1 \
    exec ${CHIMELET_SOAK_WRAP:-} ./chimelet >"$work/out" 2>&1) &
pid=$!
# Under a wrapping tool the program is its child.
sleep 2
prog=$(pgrep -n -P "$pid" chimelet 2>/dev/null || echo "$pid")
# A sample each program hour, and at least one a real minute.
hour_real=$((3600 / speed))
[ "$hour_real" -lt 1 ] && hour_real=1
[ "$hour_real" -gt 60 ] && hour_real=60
alive=1 first_hour="" rss=0
elapsed=0
echo "real_s program_hour rss_kB"
while [ "$elapsed" -lt $((minutes * 60)) ]; do
    step=$hour_real
    [ $((elapsed + step)) -gt $((minutes * 60)) ] && step=$((minutes * 60 - elapsed))
    sleep "$step"
    elapsed=$(($(date +%s) - start))
    if ! kill -0 "$prog" 2>/dev/null; then
        alive=0
        break
    fi
    rss=$(rss_kb "$prog")
    [ -z "$first_hour" ] && first_hour=$rss
    echo "$elapsed $(awk -v h=$((elapsed * speed)) 'BEGIN { printf "%.1f", h / 3600 }') $rss"
    echo "$elapsed $rss" >>"$work/samples"
done
ticks=0
[ "$alive" = 1 ] && ticks=$(cpu_ticks "$prog")
# CHIMELET_SOAK_SHOT names a PNG of the screen at the end.
[ -n "${CHIMELET_SOAK_SHOT:-}" ] && import -window root "$CHIMELET_SOAK_SHOT" 2>/dev/null
end=$(date +%s)
balloons=0
if [ -n "$monitor" ]; then
    kill "$monitor" 2>/dev/null || true
    wait "$monitor" 2>/dev/null || true
    monitor=""
    balloons=$(grep -c 'Notify$' "$work/notify" || true)
    # The bus starts an installed service at the first balloon.
    served=$(dbus-send --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
        string:org.freedesktop.Notifications 2>/dev/null | awk '/boolean/ {print $2}')
    echo "notification service on the bus: ${served:-unknown}"
fi
# What the schedule makes due in the program time that passed (an upper bound: the list
# starts a moment after the program).
due=$(awk -v t=$(((end - start) * speed)) '
    $1 == "countdown" { n += int(t / $2) }
    $1 == "time" && $2 <= t { n += 1 + int((t - $2) / 86400) }
    END { print n + 0 }' "$work/rows")
fired=0
if [ -f "$work/prog/chdb.res" ]; then
    active=$(od -An -tu1 -j $((record * 960 + 938)) -N1 "$work/prog/chdb.res" | tr -d ' ')
    [ "$active" = 0 ] && fired=1
fi
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
if [ "$alive" = 0 ]; then
    status=0
    wait "$pid" || status=$?
    pid=""
    how="exit status $status"
    [ "$status" -gt 128 ] && how="killed by signal $((status - 128)) ($(kill -l $((status - 128))))"
    echo "the program had ended by itself when looked at $(((end - start) * speed / 3600)) program hours in: $how"
    for p in "xvfb:$xvfb" "bus:$bus" "openbox:$wm"; do
        [ -n "${p#*:}" ] && ! kill -0 "${p#*:}" 2>/dev/null && echo "  ${p%%:*} had ended too"
    done
    if [ -n "$(find "$work/prog" -maxdepth 1 -name 'core*' -type f)" ]; then
        keep=${CHIMELET_SOAK_KEEP:-$(mktemp -d /tmp/chimelet-soak-core.XXXXXX)}
        mkdir -p "$keep"
        find "$work/prog" -maxdepth 1 -name 'core*' -type f -exec cp {} "$keep/" \;
        cp "$work/prog"/chimelet* "$work/out" "$keep/"
        echo "  core dump kept in $keep (gdb $keep/chimelet $keep/core...)"
    else
        echo "  no core dump in its folder (kernel.core_pattern: $core_pattern)"
    fi
    echo "its output:"
    tail -n 40 "$work/out"
fi
echo "RESULT soak_alive $alive bool"
echo "RESULT soak_checkpoint_fired $fired bool"
echo "RESULT soak_balloon_firings $balloons count"
echo "RESULT soak_balloon_firings_due $due count"
echo "RESULT soak_rss_first_hour_kB ${first_hour:-0} kB"
echo "RESULT soak_rss_end_kB $rss kB"
# The trend of the hourly samples after the first hour (a least-squares line), so one
# sample caught while pages are reclaimed or a picture is up does not decide it.
# The same per thousand balloons, for a brisk run: what grows per firing.
awk -v s="$speed" -v b="$balloons" -v w=$((end - start)) '
{x = $1 * s / 86400; n++; sx += x; sy += $2; sxx += x * x; sxy += x * $2}
END {
    d = n * sxx - sx * sx
    g = n > 1 && d > 0 ? (n * sxy - sx * sy) / d : 0
    printf "RESULT soak_growth_per_day_kB %.0f kB\n", g
    printf "RESULT soak_growth_per_1000_balloons_kB %.1f kB\n", (b > 0 ? g * w * s / 86400 / b * 1000 : 0)
}' "$work/samples" 2>/dev/null || echo "RESULT soak_growth_per_day_kB 0 kB"
awk -v t="$ticks" -v hz="$(getconf CLK_TCK)" -v w=$((end - start)) 'BEGIN {
    printf "RESULT soak_cpu_share %.1f %%\n", (w > 0 ? 100 * t / hz / w : 0)
}'
