# Sourced by the test scripts: the test programs whose code runs on more than one thread, how
# the sanitizers and Qt run for every test, and the builds the scripts share. A new thread test
# program joins by its name here.
# shellcheck shell=bash
thread_tests=(test_platform test_afx test_dui test_ui test_main_window test_link test_update test_update_dialog)

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
export TSAN_OPTIONS="halt_on_error=1:suppressions=$PWD/tests/tsan.supp"
export QT_QPA_PLATFORM=offscreen

# configure_build FOLDER [CMAKE ARGS...]: the build folders the test scripts share.
configure_build() {
  local folder=$1
  shift
  cmake -S . -B "$folder" -G Ninja "$@" >/dev/null
}

# The sanitizer builds are clang's, which builds them about a quarter faster than GCC, with line
# tables only for debug information: a report still names the file and line of each frame. The
# optimised build stays with GCC, so that both compilers' warnings hold as errors.
sanitizer_build=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++
                 -DCMAKE_CXX_FLAGS_DEBUG=-gline-tables-only)
# The fuzz targets are built in the AddressSanitizer build too, which spares them a build of
# their own; scripts/fuzz.sh runs them from there under VM_FUZZ_BUILD=build-asan.
configure_asan() {
  configure_build build-asan "${sanitizer_build[@]}" -DVM_SANITIZE=ON -DVM_FUZZ=ON
}
configure_tsan() { configure_build build-tsan "${sanitizer_build[@]}" -DVM_TSAN=ON; }
configure_release() { configure_build build-release -DCMAKE_BUILD_TYPE=Release; }
