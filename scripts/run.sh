#!/bin/sh
# Sets up, builds and starts Chimelet. Needs a desktop session (DISPLAY or WAYLAND_DISPLAY).
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh
exec ./build/chimelet
