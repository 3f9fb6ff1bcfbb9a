#!/bin/sh
# Sets up, checks the formatting, builds with warnings as errors, runs every test, runs
# clang-tidy over src/, then builds again with ASan and UBSan and runs every test there.
# Fails when any step fails.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/formatcheck.sh
CHIMELET_WERROR=ON ./scripts/build.sh
(cd build && ctest --output-on-failure)
./scripts/tidy.sh
./scripts/sanitize.sh
