# Sourced by the test scripts: the test programs whose code runs on more than one thread, and
# how the sanitizers and Qt run for every test. A new thread test program joins by its name here.
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
