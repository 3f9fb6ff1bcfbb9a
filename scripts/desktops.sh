#!/bin/bash
# Starts Chimelet on the desktops people run, fires a probe reminder on each and prints
# one table row per desktop.
#   scripts/desktops.sh [--build DIR] [--shots DIR] [DESKTOP...]
# DESKTOP: xfce lxqt weston-xwayland weston-wayland gnome (default: all). Each runs in
# an X server (Xvfb) and a session bus of its own; a desktop whose parts are not
# installed or do not start gets a row saying so. A cell is "yes" or "no" where the
# desktop offers the thing, "none" where it does not (no tray host, no notification
# service) and "-" where nothing here can try it. Screenshots of the overlay go to the
# shots folder as overlay-DESKTOP.png.
# Exit status: 0 when every desktop that started passed what it offers, 1 when one
# failed, 77 when none could be started.
set -u
cd "$(dirname "$0")/.."
build=build
shots=""
while [ $# -gt 0 ]; do
    case "$1" in
    --build) build=$2; shift 2 ;;
    --shots) shots=$2; shift 2 ;;
    *) break ;;
    esac
done
desktops=("$@")
[ ${#desktops[@]} -eq 0 ] && desktops=(xfce lxqt weston-xwayland weston-wayland gnome)
build=$(cd "$build" && pwd)
work=$(mktemp -d /tmp/chimelet-desktops.XXXXXX)
[ -n "$shots" ] || shots=$build/desktops
mkdir -p "$shots"
shots=$(cd "$shots" && pwd)
helper=$(dirname "$0")/desktopprobe.py
pids=()

# Ends what this run started, newest first, by process id.
endall() {
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; done
    sleep 0.5
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill -9 "${pids[i]}" 2>/dev/null; done
    pids=()
}
trap 'endall; [ -n "${CHIMELET_DESKTOPS_KEEP:-}" ] || rm -rf "$work"' EXIT

has() { command -v "$1" >/dev/null 2>&1; }
background() { "$@" >>"$run/log" 2>&1 & pids+=($!); }
waitfor() { # SECONDS COMMAND...: true once COMMAND succeeds
    local n=$(($1 * 10)); shift
    while [ $n -gt 0 ]; do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; n=$((n - 1)); done
    return 1
}
probe() { /usr/bin/python3 "$helper" "$@"; }
# Whether a connection owns NAME on the session bus.
owned() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null | grep -q "boolean true"
}
# The first of the executables given that is installed.
firstof() {
    local f
    for f in "$@"; do [ -x "$f" ] && echo "$f" && return 0; done
    return 1
}

# An X server of its own; sets DISPLAY.
startx() {
    local fifo=$run/displayfd
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${1:-1024x768x24}" -nolisten tcp -noreset 3>"$fifo" \
        >>"$run/log" 2>&1 &
    pids+=($!)
    read -r -t 10 number <"$fifo" || return 1
    export DISPLAY=:$number
    waitfor 10 xdpyinfo
}

# A session bus of its own with the installed services; sets DBUS_SESSION_BUS_ADDRESS.
startbus() {
    dbus-daemon --session --nofork --print-address=3 3>"$run/bus" >>"$run/log" 2>&1 &
    pids+=($!)
    waitfor 5 test -s "$run/bus" || return 1
    export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$run/bus")
    dbus-monitor "interface='org.freedesktop.Notifications'" >"$run/notes" 2>&1 &
    pids+=($!)
}

# The program in a folder of its own with a probe list: a reminder of text on the
# desktop and in a balloon, 10 s after the start and every 10 s after, for 5 s.
startchimelet() {
    local home=$run/home
    mkdir -p "$home" "$run/xdg" && chmod 700 "$run/xdg"
    cp "$build/chimelet" "$build"/chimelet-*.so "$build/chimelet-wmf" "$home/" 2>/dev/null
    probe list "$home"
    HOME=$home XDG_RUNTIME_DIR=$run/xdg SDL_AUDIODRIVER=dummy "$home/chimelet" \
        >>"$run/chimelet.log" 2>&1 &
    chimelet=$!
    pids+=($chimelet)
}
# What a desktop does, in its parts. Each sets up and returns non-zero if it cannot start.
desktop_xfce() {
    has xfwm4 && has xfce4-panel || return 2
    local notifyd
    notifyd=$(firstof /usr/lib/*/xfce4/notifyd/xfce4-notifyd /usr/lib/xfce4/notifyd/xfce4-notifyd) ||
        return 2
    startx && startbus || return 1
    has xfsettingsd && background xfsettingsd --no-daemon
    # Xfce's own notification service, started here: left to the bus, the name goes to
    # whichever service another desktop installed (Plasma's placeholder never answers).
    background "$notifyd"
    waitfor 10 owned org.freedesktop.Notifications || return 1
    background xfwm4 --compositor=on
    waitfor 10 probe wm || return 1
    background xfce4-panel
    waitfor 10 probe trayhost || return 1
}
desktop_lxqt() {
    has openbox && has lxqt-panel || return 2
    startx && startbus || return 1
    background openbox
    waitfor 10 probe wm || return 1
    has xcompmgr && background xcompmgr
    # Debian keeps LXQt's default panel (tray and status notifier in it) there.
    export XDG_CONFIG_DIRS=/etc/xdg:/usr/share
    background lxqt-panel
    has lxqt-notificationd && background lxqt-notificationd
    waitfor 10 probe trayhost || return 1
}
desktop_weston() { # $1: the platform Chimelet runs on
    has weston && has Xwayland || return 2
    # Weston's nested X11 back end inside an X server of its own takes input; Xwayland
    # then serves Chimelet a display of its own.
    startx 1024x768x24 && startbus || return 1
    mkdir -p "$run/wl" && chmod 700 "$run/wl"
    XDG_RUNTIME_DIR=$run/wl background weston --backend=x11-backend.so --use-pixman \
        --width=1024 --height=768 --socket=wl-probe --idle-time=0 --xwayland --debug
    waitfor 10 test -S "$run/wl/wl-probe" || return 1
    export WAYLAND_DISPLAY=$run/wl/wl-probe
    outerdisplay=$DISPLAY
    if [ "$1" = xwayland ]; then
        # Weston starts Xwayland at the first X client on the display it announces.
        waitfor 10 grep -q "xserver listening on display" "$run/log" || return 1
        export DISPLAY=$(grep -o "xserver listening on display :[0-9]*" "$run/log" | tail -1 |
            awk '{print $NF}')
        unset WAYLAND_DISPLAY
    else
        # Chimelet's own choice: a session's QT_QPA_PLATFORM gives way to the X server.
        export CHIMELET_PLATFORM=wayland
    fi
    sleep 1
}
desktop_weston-xwayland() { desktop_weston xwayland; }
desktop_weston-wayland() { desktop_weston wayland; }
desktop_gnome() {
    has gnome-shell && has Xwayland || return 2
    startx && startbus || return 1
    # A system bus of its own, for what the shell asks of it.
    dbus-daemon --system --nofork --print-address=3 3>"$run/sysbus" >>"$run/log" 2>&1 &
    pids+=($!)
    waitfor 5 test -s "$run/sysbus" && export DBUS_SYSTEM_BUS_ADDRESS=$(head -1 "$run/sysbus")
    export XDG_SESSION_TYPE=x11
    background gnome-shell --x11 --replace
    waitfor 20 probe wm || return 1
    sleep 2
}

# Takes the whole screen as the user sees it.
screenshot() {
    if [ -n "${CHIMELET_PLATFORM:-}" ]; then
        (cd "$run" && rm -f wayland-screenshot-*.png &&
            XDG_RUNTIME_DIR=$run/wl timeout 10 weston-screenshooter >/dev/null 2>&1 &&
            mv wayland-screenshot-*.png "$1")
    else
        import -display "${outerdisplay:-$DISPLAY}" -window root "$1" 2>/dev/null
    fi
}

row() {
    local name=$1 status
    run=$work/$name
    mkdir -p "$run"
    outerdisplay=""
    (
        unset QT_QPA_PLATFORM CHIMELET_PLATFORM WAYLAND_DISPLAY DISPLAY
        # The desktop's parts keep their settings in a home of their own.
        export HOME=$run/desktophome XDG_CONFIG_HOME=$run/desktophome/.config
        mkdir -p "$HOME"
        "desktop_$name"
        status=$?
        if [ $status -ne 0 ]; then
            [ $status -eq 2 ] && echo "| $name | not installed |" || echo "| $name | did not start |"
            endall
            exit 77
        fi
        startchimelet
        probe row "$name" "$run" "$chimelet" "$shots" "${CHIMELET_PLATFORM:-xcb}" \
            "${outerdisplay:-}"
        status=$?
        endall
        exit $status
    )
}

echo "| Desktop | starts | tray shown | tray click | close keeps it | balloon | overlay on top | see-through | click dismisses | gone after its time |"
echo "|---|---|---|---|---|---|---|---|---|---|"
failed=0 ran=0
for d in "${desktops[@]}"; do
    row "$d"
    case $? in
    0) ran=$((ran + 1)) ;;
    77) ;;
    *) ran=$((ran + 1)); failed=1 ;;
    esac
done
[ $failed -ne 0 ] && exit 1
[ $ran -eq 0 ] && exit 77
exit 0
