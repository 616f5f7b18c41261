#!/usr/bin/env bash
# The CI command. Checks that includes follow the layer order; installs what is missing; builds
# and runs every test under AddressSanitizer and UndefinedBehaviorSanitizer, the thread tests
# again under ThreadSanitizer, every test again optimised without sanitizers (which hold freed
# memory back and so hide some use-after-free crashes) with the program and the benchmarks, and
# each fuzz target for a short while; then prints each step's time. Each step builds only the
# targets it runs: a run must fit a 2-core machine.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/test_env.sh

step_times=()
# step NAME COMMAND...: runs one step, stopping the script on its failure, and keeps its time.
step() {
  local name=$1 start=$SECONDS
  shift
  echo "== $name"
  "$@"
  step_times+=("$(printf '%-8s %5d s' "$name" $((SECONDS - start)))")
}

asan_step() {
  configure_asan
  cmake --build build-asan --target vm_tests vellomardstine vm_fuzzers
  ctest --test-dir build-asan --output-on-failure -j "$(nproc)"
  bash scripts/xvfb_close_check.sh build-asan/app/vellomardstine
}

tsan_step() {
  configure_tsan
  cmake --build build-tsan --target "${thread_tests[@]}"
  local names
  names=$(IFS='|'; echo "${thread_tests[*]}")
  ctest --test-dir build-tsan --output-on-failure -j "$(nproc)" -R "^($names)\$"
}

# The optimiser sees what a Debug build does not: the program and benchmarks must build with
# warnings as errors, as users and scripts/bench.sh build them, and every test passes there too.
# The optimised program also starts fastest for the many starts of the window-manager checks.
release_step() {
  configure_release
  cmake --build build-release --target vellomardstine vm_benchmarks vm_tests
  ctest --test-dir build-release --output-on-failure -j "$(nproc)"
  bash scripts/wm_box_check.sh build-release/app/vellomardstine 60
  bash scripts/wm_keyboard_check.sh build-release/app/vellomardstine
}

step layers bash scripts/check_layers.sh
step deps bash scripts/install-deps.sh
step asan asan_step
step tsan tsan_step
step release release_step
step fuzz env VM_FUZZ_BUILD=build-asan bash scripts/fuzz.sh "${VM_FUZZ_SECONDS:-20}"

bash scripts/test_ratio.sh
printf '%s\n' "${step_times[@]}" "$(printf '%-8s %5d s' total "$SECONDS")"
# Every step above stops the script on a failure; reaching here, every test program passed.
programs=$(ctest --test-dir build-asan -N | sed -n 's/^Total Tests: //p')
echo "ctest: $((2 * programs + ${#thread_tests[@]})) passed, 0 failed"
