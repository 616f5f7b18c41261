#!/usr/bin/env bash
# The first message box of a fresh start under a real window manager. On a virtual X display
# with openbox, the X server, the window manager and the program all on one CPU (where a box
# hidden and at once shown again was lost by the window manager), starts the program STARTS
# times and each time, as a user would: picks a car maker, opens the key wizard and asks for the
# next step with no key shape, which the step check refuses in a box. The box must come up
# mapped and managed by the window manager and be answered by a click, after which the close
# button ends the program cleanly. Usage: wm_box_check.sh PROGRAM STARTS
set -euo pipefail
program=$(realpath "$1")
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:strict_string_checks=0"
# The first CPU this script may run on.
cpu=$(taskset -pc $$ | sed 's/.*: //; s/[,-].*//')

taskset -c "$cpu" xvfb-run -a -s "-screen 0 1280x800x24" \
  bash -s "$program" "$2" "$(dirname "$(realpath "$0")")" <<'SCRIPT'
set -uo pipefail
source "$3/x_program.sh"
work=$(mktemp -d)
trap 'kill $wm 2>/dev/null; rm -rf "$work"' EXIT
start_window_manager "$work" "wm box check" || exit 1

# run: one fresh start; sets `problem` to what went wrong, if anything.
run() {
  problem=""
  start_program "$1" "$work/out"
  local where main box x y
  where=$(control CloseBtn) || { problem="the main window did not come up"; return; }
  read -r main _ <<<"$where"
  wait_until 30 on_screen "$main" || { problem="the main window was not managed"; return; }
  click_on row
  wait_until 10 has_focus "$main" || { problem="the main window did not take the focus"; return; }
  # The tree's root opens, and its first car maker is picked.
  xdotool key Right Down
  click_on AddkeyBtn
  click_on NextBtn 10 || { problem="the key wizard did not open"; return; }
  where=$(control CancelButton 10) || { problem="no message box came"; return; }
  read -r box x y <<<"$where"
  if ! wait_until 10 on_screen "$box"; then
    problem="message box lost: $(xwininfo -id "$box" | grep 'Map State')"
    problem+=", $(xprop -id "$box" WM_STATE 2>&1 | head -n1)"
    return
  fi
  click "$box" "$x" "$y"
  wait_until 10 gone "$box" || { problem="the message box did not answer its click"; return; }
  click_on CloseBtn
  ended_cleanly 10 || problem="the close button did not end the program cleanly"
}

lost=0
failed=0
for ((n = 1; n <= $2; n++)); do
  run "$1"
  if [ -n "$problem" ]; then
    echo "wm box check: start $n: $problem"
    grep -v " at .* in 0x" "$work/out" | tail -n 20
    { kill -9 "$pid" && wait "$pid"; } 2>/dev/null
    case $problem in
      "message box lost"*) lost=$((lost + 1)) ;;
      *) failed=$((failed + 1)) ;;
    esac
  fi
done
echo "wm box check: $2 starts, $lost message boxes lost, $failed other failures"
[ "$lost" -eq 0 ] && [ "$failed" -eq 0 ]
SCRIPT
