#!/bin/bash
# Starts Chimelet on the desktops people run, fires a probe reminder on each and prints
# one table row per desktop.
#   scripts/desktops.sh [--build DIR] [--shots DIR] [DESKTOP...]
# DESKTOP: xfce lxqt weston-xwayland weston-wayland sway plasma-x11 plasma-wayland gnome
# (default: all). Each runs in an X server (Xvfb, or the compositor's XWayland) and a session bus of its own; a
# desktop whose parts are not installed or do not start gets a row saying so. A desktop
# has started once its shell or panel runs and holds its name on the bus, and its window
# manager has taken on a test window. sway refuses root: as root, its row runs as the
# unprivileged user chimelet-probe, made here when missing. A cell is "yes" or "no" where the
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
[ ${#desktops[@]} -eq 0 ] && desktops=(xfce lxqt weston-xwayland weston-wayland sway plasma-x11 plasma-wayland gnome)
build=$(cd "$build" && pwd)
work=$(mktemp -d /tmp/chimelet-desktops.XXXXXX)
# A row run as another user reaches its own folder in there.
chmod 711 "$work"
[ -n "$shots" ] || shots=$build/desktops
mkdir -p "$shots"
shots=$(cd "$shots" && pwd)
helper=$(dirname "$0")/desktopprobe.py
pids=()
# The command prefix that runs a desktop's parts and Chimelet as the row's user.
runas=()
probeuser=chimelet-probe

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
background() { "${runas[@]}" "$@" >>"$run/log" 2>&1 & pids+=($!); }
waitfor() { # SECONDS COMMAND...: true once COMMAND succeeds
    local n=$(($1 * 10)); shift
    while [ $n -gt 0 ]; do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; n=$((n - 1)); done
    return 1
}
probe() { /usr/bin/python3 "$helper" "$@"; }
# Whether a process of COMMAND whose parent is PARENT runs.
childruns() { pgrep -P "$1" -f "$2" >/dev/null; }
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
    local config=(--session)
    if [ ${#runas[@]} -gt 0 ]; then
        # The row's user joins root's bus: root reaches no other user's bus.
        cat >"$run/bus.conf" <<END
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <include>/usr/share/dbus-1/session.conf</include>
  <policy context="default"><allow user="$probeuser"/></policy>
</busconfig>
END
        config=(--config-file="$run/bus.conf")
    fi
    dbus-daemon "${config[@]}" --nofork --print-address=3 3>"$run/bus" >>"$run/log" 2>&1 &
    pids+=($!)
    waitfor 5 test -s "$run/bus" || return 1
    export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$run/bus")
    # The whole bus: a bubble counts once the notification service has answered its call.
    dbus-monitor >"$run/notes" 2>&1 &
    pids+=($!)
}

# The program in a folder of its own with a probe list: a reminder of text on the
# desktop and in a balloon, 10 s after the start and every 10 s after, for 5 s.
startchimelet() {
    local home=$run/home
    mkdir -p "$home" "$run/xdg" && chmod 700 "$run/xdg"
    cp "$build/chimelet" "$build"/chimelet-*.so "$build/chimelet-wmf" "$home/" 2>/dev/null
    probe list "$home"
    [ ${#runas[@]} -eq 0 ] || chown -R "$probeuser:" "$home" "$run/xdg"
    HOME=$home XDG_RUNTIME_DIR=$run/xdg SDL_AUDIODRIVER=dummy "${runas[@]}" "$home/chimelet" \
        >>"$run/chimelet.log" 2>&1 &
    chimelet=$!
    pids+=($chimelet)
}
# Xfce's notification service on the row's bus and display, for desktops without one of
# their own: left to the bus, the name goes to whichever service another desktop
# installed (Plasma's placeholder never answers outside Plasma). Nothing when it is not
# installed.
startnotifyd() {
    local notifyd
    notifyd=$(firstof /usr/lib/*/xfce4/notifyd/xfce4-notifyd /usr/lib/xfce4/notifyd/xfce4-notifyd) ||
        return 0
    DISPLAY=$1 "$notifyd" >>"$run/log" 2>&1 &
    pids+=($!)
    waitfor 10 owned org.freedesktop.Notifications
}
# What a desktop does, in its parts. Each sets up and returns non-zero if it cannot start.
desktop_xfce() {
    has xfwm4 && has xfce4-panel || return 2
    [ -n "$(firstof /usr/lib/*/xfce4/notifyd/xfce4-notifyd /usr/lib/xfce4/notifyd/xfce4-notifyd)" ] ||
        return 2
    startx && startbus || return 1
    has xfsettingsd && background xfsettingsd --no-daemon
    startnotifyd "$DISPLAY" || return 1
    background xfwm4 --compositor=on
    waitfor 10 probe wm || return 1
    background xfce4-panel
    waitfor 10 probe owns org.xfce.Panel xfce4-panel || return 1
    waitfor 10 probe trayhost && probe managed || return 1
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
    # The panel's status-notifier plugin holds the watcher's name.
    waitfor 10 probe owns org.kde.StatusNotifierWatcher lxqt-panel || return 1
    waitfor 10 probe trayhost && probe managed || return 1
}
desktop_weston() { # $1: the platform Chimelet runs on
    has weston && has Xwayland || return 2
    # Weston's nested X11 back end inside an X server of its own takes input; Xwayland
    # then serves Chimelet a display of its own.
    startx 1024x768x24 && startbus || return 1
    mkdir -p "$run/wl" && chmod 700 "$run/wl"
    XDG_RUNTIME_DIR=$run/wl background weston --backend=x11-backend.so --use-pixman \
        --width=1024 --height=768 --socket=wl-probe --idle-time=0 --xwayland --debug
    local weston=$!
    waitfor 10 test -S "$run/wl/wl-probe" || return 1
    export WAYLAND_DISPLAY=$run/wl/wl-probe
    outerdisplay=$DISPLAY
    # Weston starts Xwayland at the first X client on the display it announces.
    waitfor 10 grep -q "xserver listening on display" "$run/log" || return 1
    local xwayland
    xwayland=$(grep -o "xserver listening on display :[0-9]*" "$run/log" | tail -1 | awk '{print $NF}')
    waitfor 10 childruns "$weston" weston-desktop-shell || return 1
    DISPLAY=$xwayland probe managed || return 1
    startnotifyd "$xwayland" || return 1
    if [ "$1" = xwayland ]; then
        export DISPLAY=$xwayland
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
    waitfor 20 probe owns org.gnome.Shell gnome-shell && probe managed || return 1
}
# Plasma's parts beside its window manager: kded's status-notifier watcher the panel's
# tray shows items through, the activity manager and the shell with its panel.
startplasma() {
    has kded5 || return 2
    local activities
    activities=$(firstof /usr/lib/*/libexec/kactivitymanagerd) || return 2
    background kded5
    waitfor 20 owned org.kde.kded5 || return 1
    # A session's start-up asks for the module, as here.
    dbus-send --session --print-reply --dest=org.kde.kded5 /kded org.kde.kded5.loadModule \
        string:statusnotifierwatcher >>"$run/log" 2>&1
    waitfor 10 owned org.kde.StatusNotifierWatcher || return 1
    # The shell loads nothing without the activity manager, which the bus does not start.
    background "$activities"
    waitfor 20 owned org.kde.ActivityManager || return 1
    background plasmashell --no-respawn
    waitfor 40 probe owns org.kde.plasmashell plasmashell || return 1
    waitfor 20 probe trayhost && probe managed || return 1
}
desktop_plasma-x11() {
    has kwin_x11 && has plasmashell || return 2
    startx && startbus || return 1
    export XDG_SESSION_TYPE=x11 XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true
    background kwin_x11 --replace
    waitfor 20 probe wm || return 1
    startplasma
}
# kwin_wayland with its nested X11 back end inside an X server of its own, as Weston's row;
# the shell on its Wayland, Chimelet on its XWayland as a session's QT_QPA_PLATFORM=wayland
# would leave it.
desktop_plasma-wayland() {
    has kwin_wayland && has plasmashell && has Xwayland || return 2
    # Plasma's parts on Wayland need Qt 5's Wayland platform (package qtwayland5).
    compgen -G "/usr/lib/*/qt5/plugins/platforms/libqwayland-generic.so" >/dev/null || return 2
    startx 1024x768x24 && startbus || return 1
    # As installed it carries file capabilities that keep it from starting as root; a copy
    # carries none.
    cp "$(command -v kwin_wayland)" "$run/kwin_wayland" || return 1
    mkdir -p "$run/wl" && chmod 700 "$run/wl"
    # Drawn by QPainter: the X server it draws into has no GPU.
    XDG_RUNTIME_DIR=$run/wl KWIN_COMPOSE=Q background "$run/kwin_wayland" --x11-display "$DISPLAY" \
        --width 1024 --height 768 --socket wl-probe --xwayland
    local kwin=$!
    waitfor 20 test -S "$run/wl/wl-probe" || return 1
    waitfor 20 childruns "$kwin" Xwayland || return 1
    outerdisplay=$DISPLAY
    export DISPLAY=$(pgrep -P "$kwin" -a Xwayland | grep -o ' :[0-9]*' | head -1 | tr -d ' ')
    [ -n "$DISPLAY" ] && waitfor 10 probe wm || return 1
    export XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true
    export QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=$run/wl/wl-probe XDG_RUNTIME_DIR=$run/wl
    startplasma
}
# sway headless with XWayland, its bar holding the status-notifier watcher; Chimelet
# on XWayland as a session's QT_QPA_PLATFORM=wayland would leave it.
desktop_sway() {
    has sway && has swaybar && has Xwayland && has grim && has xhost || return 2
    if [ "$(id -u)" -eq 0 ]; then
        id "$probeuser" >/dev/null 2>&1 ||
            useradd --system --user-group --no-create-home --shell /usr/sbin/nologin \
                "$probeuser" || return 1
        runas=(setpriv --reuid="$probeuser" --regid="$probeuser" --init-groups)
        chown -R "$probeuser:" "$run"
    fi
    startbus || return 1
    mkdir -p "$run/wl" && chmod 700 "$run/wl"
    cat >"$run/sway.conf" <<END
output HEADLESS-1 mode 1024x768 position 0 0 bg #3a6ea5 solid_color
xwayland force
bar {
    position top
}
exec sh -c 'echo \$DISPLAY >$run/display'
END
    [ ${#runas[@]} -eq 0 ] || chown -R "$probeuser:" "$run"
    XDG_RUNTIME_DIR=$run/wl WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
        WLR_RENDERER=pixman background sway --config "$run/sway.conf"
    waitfor 15 test -s "$run/display" || return 1
    export DISPLAY=$(cat "$run/display")
    # The probe and the notification service, run as root, use the row user's X server.
    [ ${#runas[@]} -eq 0 ] || "${runas[@]}" xhost +si:localuser:root >>"$run/log" 2>&1 || return 1
    startnotifyd "$DISPLAY" || return 1
    local socket
    socket=$(ls "$run/wl" | grep '^wayland-[0-9]*$' | head -1)
    [ -n "$socket" ] || return 1
    XDG_RUNTIME_DIR=$run/wl SWAYSOCK=$(ls "$run"/wl/sway-ipc.*.sock 2>/dev/null | head -1) \
        waitfor 10 "${runas[@]}" swaymsg -t get_version || return 1
    waitfor 10 probe owns org.kde.StatusNotifierWatcher swaybar || return 1
    probe managed || return 1
    export QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=$run/wl/$socket
    export CHIMELET_PROBE_SHOOT="${runas[*]} env XDG_RUNTIME_DIR=$run/wl WAYLAND_DISPLAY=$socket grim"
}

row() {
    local name=$1 status
    run=$work/$name
    mkdir -p "$run"
    outerdisplay=""
    (
        unset QT_QPA_PLATFORM CHIMELET_PLATFORM WAYLAND_DISPLAY DISPLAY CHIMELET_PROBE_SHOOT
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

echo "| Desktop | starts | tray shown | tray click | close keeps it | balloon | overlay on top | see-through | click dismisses | gone after its time | picture covers screen |"
echo "|---|---|---|---|---|---|---|---|---|---|---|"
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
