#!/usr/bin/env bash
# Checks that includes follow the layer order, installs what is missing, builds every test under
# AddressSanitizer and UndefinedBehaviorSanitizer and runs them; then runs each fuzz target for a
# short while.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/check_layers.sh
bash scripts/install-deps.sh

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVM_SANITIZE=ON
cmake --build build-asan
ctest --test-dir build-asan --output-on-failure -j "$(nproc)"
bash scripts/xvfb_close_check.sh build-asan/app/vellomardstine

# The optimiser sees what a Debug build does not: the program and benchmarks must build with
# warnings as errors, as users and scripts/bench.sh build them.
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build-release

bash scripts/fuzz.sh "${VM_FUZZ_SECONDS:-20}"

bash scripts/test_ratio.sh

# Every step above stops the script on a failure; reaching here, every test program passed.
programs=$(ctest --test-dir build-asan -N | sed -n 's/^Total Tests: //p')
echo "ctest: $programs passed, 0 failed"
