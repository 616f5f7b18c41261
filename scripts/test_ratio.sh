#!/usr/bin/env bash
# Prints the lines of tests against the lines of code: the non-blank lines of every C++ source
# and header under tests/ (tests, doubles, fuzz targets, benchmarks) against those under src/
# and tools/.
set -euo pipefail
cd "$(dirname "$0")/.."

lines() {
    find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 cat |
        grep -cv '^[[:space:]]*$'
}

tests=$(lines tests)
code=$(lines src tools)
awk -v t="$tests" -v c="$code" \
    'BEGIN { printf "test lines / code lines: %d / %d = %.2f\n", t, c, t / c }'
