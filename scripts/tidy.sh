#!/bin/sh
# Runs clang-tidy with the repository's .clang-tidy over our sources in src/, two files at a
# time, using build/compile_commands.json (made by scripts/build.sh); fails on any finding.
set -eu
cd "$(dirname "$0")/.."
run-clang-tidy -p build -j 2 -quiet "^$(pwd)/src/.*\.cpp\$" >build/clang-tidy.log 2>&1 || {
    grep -E -A3 "(warning|error):" build/clang-tidy.log
    exit 1
}
