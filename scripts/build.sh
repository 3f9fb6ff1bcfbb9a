#!/bin/sh
# Configures and builds into build/ at the repository's root.
set -eu
cd "$(dirname "$0")/.."
. ./scripts/ccache.sh
# shellcheck disable=SC2086
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $launcher >/dev/null
cmake --build build
