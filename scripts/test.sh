#!/bin/sh
# Sets up, checks the formatting, builds with warnings as errors, runs every test, runs
# clang-tidy over src/, then builds again with ASan and UBSan and runs every test there.
# The first test run mostly waits on desktops and timers, so the sanitizer build and
# clang-tidy run beside it at lower priority, the sanitizer build ahead since its tests wait
# for it. Fails when any step fails; prints each step's time at the end, each from its own
# start to its own end.
set -eu
cd "$(dirname "$0")/.."
state=$(mktemp -d)
times=""
groups=""
began=$(date +%s)
finish() {
    status=$?
    for group in $groups; do kill -TERM -- "-$group" 2>/dev/null || true; done
    record total $(($(date +%s) - began)) ""
    printf "Step times:\n%s" "$times"
    rm -rf "$state"
    exit "$status"
}
trap finish EXIT
trap 'exit 130' INT TERM
record() {
    times="$times$(printf '%-11s %5ss%s' "$1" "$2" "$3")
"
}
step() {
    name=$1
    shift
    start=$(date +%s)
    "$@"
    record "$name" $(($(date +%s) - start)) ""
}
# beside NAME NICENESS COMMAND...: starts a step in a process group of its own (so a failure
# elsewhere can end all of it), at lower priority, its output kept for join.
beside() {
    name=$1
    level=$2
    shift 2
    # shellcheck disable=SC2016
    setsid sh -c 'start=$(date +%s); status=0; "$@" || status=$?
        echo "$status $(($(date +%s) - start))" >"$0"' "$state/$name" \
        nice -n "$level" "$@" >"$state/$name.log" 2>&1 &
    eval "pid_$(echo "$name" | tr - _)=$!"
    groups="$groups $!"
}
# join NAME: waits for a step started by beside; fails with its output when it failed.
join() {
    eval "wait \$pid_$(echo "$1" | tr - _)" || true
    read -r status seconds <"$state/$1" || { echo "$1 did not finish"; exit 1; }
    record "$1" "$seconds" " (beside the others)"
    if [ "$status" != 0 ]; then
        cat "$state/$1.log"
        echo "$1 failed"
        exit 1
    fi
    tail -n 1 "$state/$1.log"
}
step setup ./scripts/setup.sh
step format ./scripts/formatcheck.sh
step build env CHIMELET_WERROR=ON ./scripts/build.sh
beside asan-build 10 ./scripts/sanitize.sh build
beside tidy 19 ./scripts/tidy.sh
step tests sh -c 'cd build && ctest --output-on-failure'
join asan-build
if [ -f "$state/tidy" ] && [ "$(cut -d ' ' -f 1 "$state/tidy")" != 0 ]; then join tidy; fi
step asan-tests ./scripts/sanitize.sh test
join tidy
