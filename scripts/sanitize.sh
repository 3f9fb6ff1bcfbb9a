#!/bin/sh
# Builds the tree into build-asan/ with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs the test suite there once more; any finding (a leak too) fails its test. The layering
# probes are left out: they only compile, and the first pass ran them.
# usage: sanitize.sh [build|test]   (both when not given; the test command runs them apart)
set -eu
cd "$(dirname "$0")/.."
what=${1:-all}
case $what in all | build | test) ;; *) echo "usage: $0 [build|test]" >&2 && exit 2 ;; esac
if [ "$what" != test ]; then
    . ./scripts/ccache.sh
    # shellcheck disable=SC2086
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
        -DCMAKE_C_FLAGS_DEBUG="-O1 -g1" -DCHIMELET_SANITIZE=ON -DCHIMELET_WERROR=ON \
        $launcher >/dev/null
    cmake --build build-asan
fi
if [ "$what" != build ]; then
    # libfaketime, preloaded by a program test, comes before ASan's runtime in the library list.
    export ASAN_OPTIONS="detect_leaks=1:verify_asan_link_order=0"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
    cd build-asan
    ctest --output-on-failure -LE layering
fi
