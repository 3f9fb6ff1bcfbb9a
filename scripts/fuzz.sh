#!/bin/sh
# Builds the fuzz targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# in build-fuzz/, and runs one: scripts/fuzz.sh TARGET SECONDS [libFuzzer options].
# Targets: listfile database settings jpeg wmf picture rtf. New inputs that widen the
# coverage go to build-fuzz/found/TARGET; a crash is written to build-fuzz/ as
# crash-*, leak-*, timeout-* or oom-*: add it to tests/fuzz/corpus/TARGET once fixed.
set -eu
cd "$(dirname "$0")/.."
if [ $# -lt 2 ]; then
    echo "usage: $0 TARGET SECONDS [libFuzzer options]" >&2
    exit 2
fi
target=$1
seconds=$2
shift 2
# clang with its sanitizer and libFuzzer runtimes.
./scripts/setup.sh clang libclang-rt-14-dev
. ./scripts/ccache.sh
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fsanitize=fuzzer-no-link -g -O1"
# shellcheck disable=SC2086
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCHIMELET_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" $launcher >/dev/null
cmake --build build-fuzz --target "fuzz_$target"
mkdir -p "build-fuzz/found/$target"
cd build-fuzz
export QT_QPA_PLATFORM=offscreen
# The list target saves through a temporary file synced to disk at every run;
# in memory the sync costs nothing.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
# Qt and the system libraries are not instrumented; their own leaks are not ours.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0:allocator_may_return_null=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
exec "./tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 \
    -print_final_stats=1 "$@" "found/$target" "../tests/fuzz/corpus/$target"
