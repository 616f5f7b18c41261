#!/usr/bin/env bash
# Starts the program on a virtual X display, waits for its main window, clicks its close button
# with the X pointer as a user would, and checks that the program then ends cleanly (exit 0,
# nothing from the sanitizers). Usage: xvfb_close_check.sh PROGRAM
set -euo pipefail
program=$(realpath "$1")
# libxkbcommon-x11 strndup()s a bounded, unterminated buffer, which strict string checks take
# for an overflow; the checks stay on for our own code in the test programs.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:strict_string_checks=0"

xvfb-run -a -s "-screen 0 1280x800x24" bash -s "$program" <<'SCRIPT'
set -uo pipefail
program=$1
out=$(mktemp)
trap 'rm -f "$out"' EXIT
QT_QPA_PLATFORM=xcb VELLOMARDSTINE_REPORT_CLOSE_BUTTON=1 "$program" >"$out" 2>&1 &
pid=$!
where=""
for _ in $(seq 1 300); do
  where=$(grep -m1 "^close button at" "$out" || true)
  [ -n "$where" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$where" ]; then
  echo "xvfb check: the main window did not come up"; cat "$out"; kill "$pid" 2>/dev/null; exit 1
fi
read -r _ _ _ x y <<<"$where"
xdotool mousemove "$x" "$y" click 1
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "xvfb check: the close button did not end the program"; kill "$pid"; cat "$out"; exit 1
fi
wait "$pid"
rc=$?
if [ "$rc" -ne 0 ] || grep -q "Sanitizer" "$out"; then
  echo "xvfb check: the program ended with $rc"; cat "$out"; exit 1
fi
echo "xvfb check: main window shown, closed through its close button"
SCRIPT
