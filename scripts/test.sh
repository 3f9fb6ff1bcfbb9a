#!/bin/sh
# Sets up, builds and runs every test. Fails when any test fails.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh
cd build
ctest --output-on-failure
