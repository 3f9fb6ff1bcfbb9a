#!/bin/sh
# Builds the whole tree into build-asan/ with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs the test suite there once more; any finding fails the test. Tests labelled
# `nosanitize` (each says why in tests/) and the layering probes (they only compile) are left
# out.
set -eu
cd "$(dirname "$0")/.."
. ./scripts/ccache.sh
# shellcheck disable=SC2086
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
    -DCMAKE_C_FLAGS_DEBUG="-O1 -g1" -DCHIMELET_SANITIZE=ON -DCHIMELET_WERROR=ON \
    $launcher >/dev/null
cmake --build build-asan
here="$(pwd)"
export ASAN_OPTIONS="detect_leaks=1:verify_asan_link_order=0"
export LSAN_OPTIONS="suppressions=$here/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
cd build-asan
ctest --output-on-failure -LE 'layering|nosanitize'
