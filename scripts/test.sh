#!/usr/bin/env bash
# The CI command. Checks that includes follow the layer order; installs what is missing; builds
# and runs every test under AddressSanitizer and UndefinedBehaviorSanitizer, the thread tests
# again under ThreadSanitizer, the program and the benchmarks optimised, and each fuzz target for
# a short while; then prints each step's time. Each step builds only the targets it runs: a run
# must fit a 2-core machine.
set -euo pipefail
cd "$(dirname "$0")/.."

# The test programs whose code runs on more than one thread, run again under ThreadSanitizer.
# A new one joins by its name here.
tsan_tests=(test_afx test_dui test_ui test_main_window test_link test_update test_update_dialog)

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
export TSAN_OPTIONS="halt_on_error=1:suppressions=$PWD/tests/tsan.supp"
export QT_QPA_PLATFORM=offscreen

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
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVM_SANITIZE=ON
  cmake --build build-asan --target vm_tests vellomardstine
  ctest --test-dir build-asan --output-on-failure -j "$(nproc)"
  bash scripts/xvfb_close_check.sh build-asan/app/vellomardstine
}

tsan_step() {
  cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVM_TSAN=ON
  cmake --build build-tsan --target "${tsan_tests[@]}"
  local names
  names=$(IFS='|'; echo "${tsan_tests[*]}")
  ctest --test-dir build-tsan --output-on-failure -j "$(nproc)" -R "^($names)\$"
}

# The optimiser sees what a Debug build does not: the program and benchmarks must build with
# warnings as errors, as users and scripts/bench.sh build them. Their tests ran above.
release_step() {
  cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release
  cmake --build build-release --target vellomardstine vm_benchmarks
}

step layers bash scripts/check_layers.sh
step deps bash scripts/install-deps.sh
step asan asan_step
step tsan tsan_step
step release release_step
step fuzz bash scripts/fuzz.sh "${VM_FUZZ_SECONDS:-20}"

bash scripts/test_ratio.sh
printf '%s\n' "${step_times[@]}" "$(printf '%-8s %5d s' total "$SECONDS")"
# Every step above stops the script on a failure; reaching here, every test program passed.
programs=$(ctest --test-dir build-asan -N | sed -n 's/^Total Tests: //p')
echo "ctest: $((programs + ${#tsan_tests[@]})) passed, 0 failed"
