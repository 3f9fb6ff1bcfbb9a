#!/bin/sh
# Runs clang-tidy with the repository's .clang-tidy over our sources in src/, two files at a
# time, using build/compile_commands.json (made by scripts/build.sh); fails on any finding.
# A file whose preprocessed text was found clean before is not checked again (tidycache.py).
set -eu
cd "$(dirname "$0")/.."
python3 scripts/tidycache.py build "^$(pwd)/src/.*\.cpp\$" 2 >build/clang-tidy.log 2>&1 || {
    cat build/clang-tidy.log
    exit 1
}
tail -n 1 build/clang-tidy.log
