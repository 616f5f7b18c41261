#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds,
# starting from its seed corpus under tests/fuzz/corpus/. A second argument runs only the
# target of that name: scripts/fuzz.sh 600 fuzz_link.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
only="${2:-fuzz_*}"
# Fontconfig keeps its caches for the life of the process.
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVM_FUZZ=ON -DVM_TESTS=OFF
cmake --build build-fuzz --target vm_fuzzers
for target in build-fuzz/tests/fuzz/$only; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  work=$(mktemp -d)
  seeds="tests/fuzz/corpus/${name#fuzz_}"
  [ -d "$seeds" ] && cp -r "$seeds"/. "$work"/
  echo "== $name for ${seconds}s"
  log="$work.log"
  # Extra flags of a target, one per line, in tests/fuzz/<target>.options ('#' lines explain).
  options=()
  [ -f "tests/fuzz/$name.options" ] && mapfile -t options < <(grep -v '^#' "tests/fuzz/$name.options")
  # A fixed seed: a run explores the same inputs in the same order each time, so CI reads the
  # same verdict as the developer who ran it longer.
  if ! "$target" -seed=1 -max_total_time="$seconds" -artifact_prefix="$work/" "${options[@]}" \
      "$work" >"$log" 2>&1; then
    cat "$log"
    echo "$name found a fault; the input is in $work/"
    exit 1
  fi
  tail -n 1 "$log"
  rm -rf "$work" "$log"
done
