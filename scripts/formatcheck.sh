#!/bin/sh
# Fails when a source file differs from what the repository's .clang-format makes of it.
set -eu
cd "$(dirname "$0")/.."
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
