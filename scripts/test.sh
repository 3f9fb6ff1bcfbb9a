#!/bin/sh
# Sets up, checks the formatting, builds with warnings as errors, runs every test, runs
# clang-tidy over src/, then builds again with ASan and UBSan and runs every test there.
# Fails when any step fails; prints each step's time at the end.
set -eu
cd "$(dirname "$0")/.."
times=""
trap 'printf "Step times:\n%s" "$times"' EXIT
step() {
    name=$1
    shift
    start=$(date +%s)
    "$@"
    times="$times$(printf '%-10s %5ss' "$name" "$(($(date +%s) - start))")
"
}
step setup ./scripts/setup.sh
step format ./scripts/formatcheck.sh
step build env CHIMELET_WERROR=ON ./scripts/build.sh
step tests sh -c 'cd build && ctest --output-on-failure'
step tidy ./scripts/tidy.sh
step sanitize ./scripts/sanitize.sh
