#!/usr/bin/env bash
# Starts the program on a virtual X display, waits for its main window, clicks its close button
# with the X pointer as a user would, and checks that the program then ends cleanly (exit 0,
# nothing from the sanitizers). Usage: xvfb_close_check.sh PROGRAM
set -euo pipefail
program=$(realpath "$1")
# libxkbcommon-x11 strndup()s a bounded, unterminated buffer, which strict string checks take
# for an overflow; the checks stay on for our own code in the test programs.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:strict_string_checks=0"

xvfb-run -a -s "-screen 0 1280x800x24" bash -s "$program" "$(dirname "$(realpath "$0")")" <<'SCRIPT'
set -uo pipefail
source "$2/x_program.sh"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
fail() {
  echo "xvfb check: $1"; kill "$pid" 2>/dev/null; cat "$out"; exit 1
}
start_program "$1" "$out"
where=$(control CloseBtn) || fail "the main window did not come up"
read -r main _ <<<"$where"
wait_until 30 viewable "$main" || fail "the main window was not mapped"
click_on CloseBtn
ended_cleanly 10 || fail "the close button did not end the program cleanly"
echo "xvfb check: main window shown, closed through its close button"
SCRIPT
