#!/bin/sh
# Configures and builds into build/ at the repository's root. CHIMELET_WERROR=ON (the test
# command sets it) makes warnings in our code errors; unset, the build keeps its setting.
set -eu
cd "$(dirname "$0")/.."
. ./scripts/ccache.sh
# shellcheck disable=SC2086
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    ${CHIMELET_WERROR:+-DCHIMELET_WERROR=$CHIMELET_WERROR} $launcher >/dev/null
cmake --build build
