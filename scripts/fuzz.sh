#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds,
# starting from its seed corpus under tests/fuzz/corpus/, as many side by side as there are
# cores. A second argument runs only the target of that name: scripts/fuzz.sh 600 fuzz_link.
# VM_FUZZ_BUILD names a build folder configured with VM_FUZZ to take the targets from (the test
# command's sanitizer build); by default they get an optimised build of their own.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
only="${2:-fuzz_*}"
# Fontconfig keeps its caches for the life of the process.
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
build=${VM_FUZZ_BUILD:-build-fuzz}
if [ -z "${VM_FUZZ_BUILD:-}" ]; then
  # Optimised as fuzz targets usually are: -O1 with line tables builds a third faster than
  # -O2 -g, and a report still names the file and line of each frame.
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only -DNDEBUG" -DVM_FUZZ=ON -DVM_TESTS=OFF
fi
cmake --build "$build" --target vm_fuzzers

# fuzz TARGET: runs one target and prints its verdict at once, so that targets run side by side
# do not mix their lines.
fuzz() {
  local target=$1 name work seeds log options=()
  name=$(basename "$target")
  work=$(mktemp -d)
  seeds="tests/fuzz/corpus/${name#fuzz_}"
  [ -d "$seeds" ] && cp -r "$seeds"/. "$work"/
  log="$work.log"
  # Extra flags of a target, one per line, in tests/fuzz/<target>.options ('#' lines explain).
  [ -f "tests/fuzz/$name.options" ] && mapfile -t options < <(grep -v '^#' "tests/fuzz/$name.options")
  # A fixed seed: a run explores the same inputs in the same order each time, so CI reads the
  # same verdict as the developer who ran it longer.
  if ! "$target" -seed=1 -max_total_time="$seconds" -artifact_prefix="$work/" "${options[@]}" \
      "$work" >"$log" 2>&1; then
    printf '== %s for %ss\n%s\n%s found a fault; the input is in %s/\n' \
      "$name" "$seconds" "$(cat "$log")" "$name" "$work"
    return 1
  fi
  # The last line can be the leak checker's summary of its suppressions; the verdict is "Done".
  printf '== %s for %ss\n%s\n' "$name" "$seconds" "$(grep '^Done ' "$log" | tail -n 1)"
  rm -rf "$work" "$log"
}

running=0
failed=0
for target in "$build"/tests/fuzz/$only; do
  [ -x "$target" ] || continue
  if [ "$running" -ge "$(nproc)" ]; then
    wait -n || failed=1
    running=$((running - 1))
  fi
  fuzz "$target" &
  running=$((running + 1))
done
for ((; running > 0; running--)); do
  wait -n || failed=1
done
exit "$failed"
