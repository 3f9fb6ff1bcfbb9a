# Sourced by the start-up measurements (bench/startup.sh, cmake/startupfunctions.sh): a
# scratch folder $work and a private X server of its own, both gone at exit, and the
# environment a measured start runs in.
work=$(mktemp -d)
xvfb=""
cleanup() {
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# The display's number is chosen by the server.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
exec 3>&-
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "the private X server did not start" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")"
export XDG_RUNTIME_DIR="$work/runtime" SDL_AUDIODRIVER=dummy CHIMELET_TRACE_STARTUP=1
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
