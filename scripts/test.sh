#!/bin/sh
# Sets up, checks the formatting, builds with warnings as errors and runs every test. Fails
# when any step fails.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/formatcheck.sh
CHIMELET_WERROR=ON ./scripts/build.sh
(cd build && ctest --output-on-failure)
