#!/bin/sh
# Sets up, checks the formatting, builds and runs every test. Fails when any step fails.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/formatcheck.sh
./scripts/build.sh
cd build
ctest --output-on-failure
