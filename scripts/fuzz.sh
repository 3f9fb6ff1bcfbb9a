#!/bin/sh
# Builds the fuzz targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# in build-fuzz/ and runs them: scripts/fuzz.sh TARGET SECONDS [libFuzzer options].
# TARGET is one of the targets below, several joined by commas, or "all" (each in turn).
# Each target runs SECONDS from its corpus, tests/fuzz/corpus/TARGET; what widened the
# coverage is then merged back into that corpus (libFuzzer's merge keeps the fewest
# inputs that reach it), and the round's figures are added to tests/fuzz/README.md.
# A run counts as hung after a minute: under nice on a busy machine, a second of work
# may take many.
# A crash is written to build-fuzz/artifacts/TARGET/ as crash-*, leak-*, timeout-* or
# oom-*: add it to the target's corpus once fixed.
set -eu
cd "$(dirname "$0")/.."
all="listfile database settings jpeg wmf picture rtf update"
if [ $# -lt 2 ]; then
    echo "usage: $0 TARGET[,TARGET...]|all SECONDS [libFuzzer options]" >&2
    echo "targets: $all" >&2
    exit 2
fi
targets=$(echo "$1" | tr ',' ' ')
[ "$1" = all ] && targets=$all
seconds=$2
shift 2
for t in $targets; do
    case " $all " in *" $t "*) ;; *) echo "unknown target: $t" >&2; exit 2 ;; esac
done
# clang with its sanitizer and libFuzzer runtimes.
./scripts/setup.sh clang libclang-rt-14-dev
. ./scripts/ccache.sh
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fsanitize=fuzzer-no-link -g -O1"
# shellcheck disable=SC2086
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCHIMELET_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" $launcher >/dev/null
for t in $targets; do
    cmake --build build-fuzz --target "fuzz_$t"
done

readme=$(pwd)/tests/fuzz/README.md
cd build-fuzz
mkdir -p logs
export QT_QPA_PLATFORM=offscreen
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
# Qt and the system libraries are not instrumented; their own leaks are not ours.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0:allocator_may_return_null=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
status=0
for t in $targets; do
    corpus=../tests/fuzz/corpus/$t
    found=found/$t
    rm -rf "$found"
    mkdir -p "$found"
    # Lists and databases of many rows (a record is 960 bytes), from the first run on.
    case $t in listfile | database) maxlen="-max_len=65536 -len_control=0" ;; *) maxlen= ;; esac
    log=logs/$t-$(date +%Y%m%d-%H%M%S).log
    mkdir -p "artifacts/$t"
    before=$(ls "artifacts/$t" | wc -l)
    echo "fuzzing $t for $seconds s (log: build-fuzz/$log)"
    began=$(date +%s)
    # shellcheck disable=SC2086
    "./tests/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2560 \
        -artifact_prefix="artifacts/$t/" -print_final_stats=1 $maxlen "$@" "$found" "$corpus" >"$log" 2>&1 || status=1
    ran=$(($(date +%s) - began))
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
    # shellcheck disable=SC2086
    "./tests/fuzz/fuzz_$t" -merge=1 $maxlen "$corpus" "$found" >>"$log" 2>&1 || status=1
    size=$(ls "$corpus" | wc -l)
    findings=$(($(ls "artifacts/$t" | wc -l) - before))
    echo "$t: ${runs:-0} runs in $ran s, ${rate:-0} execs/s, corpus $size, findings $findings"
    # Two rounds may end at once; their figures are added one at a time.
    (
        flock 9
        awk -v t="$t" -v runs="${runs:-0}" -v secs="$ran" -v rate="${rate:-0}" \
            -v size="$size" -v found="$findings" '
            $0 ~ "^[|] " t " [|]" {
                split($0, f, "|")
                printf "| %s | %d | %d | %d | %d | %d |\n", t, f[3] + runs, f[4] + secs, rate, size, f[7] + found
                next
            }
            { print }' "$readme" >"$readme.new"
        printf '| %s | %s | %d | %d | %d | %d | %d |\n' "$(date '+%F %H:%M')" "$t" "$ran" \
            "${runs:-0}" "${rate:-0}" "$size" "$findings" >>"$readme.new"
        mv "$readme.new" "$readme"
    ) 9>>readme.lock
done
exit $status
