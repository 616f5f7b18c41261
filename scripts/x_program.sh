# shellcheck shell=bash
# Sourced by the checks that drive the program on an X display as a user would: they click where
# the program reports its controls (VELLOMARDSTINE_REPORT_CONTROLS=1: "NAME at X Y in ID"), and
# press keys, following the focus and the keys handled that it reports ("focus NAME", "key").

# start_program PROGRAM OUT: starts PROGRAM from its own folder, as a user starts it, with its
# output in OUT; sets `pid` and `out`.
start_program() {
  out=$2
  : >"$out"
  (cd "$(dirname "$1")" && QT_QPA_PLATFORM=xcb VELLOMARDSTINE_REPORT_CONTROLS=1 exec "$1" </dev/null >"$out" 2>&1) &
  pid=$!
}

# wait_until SECONDS COMMAND...: true once COMMAND succeeds; false when the time is up or the
# program has ended.
wait_until() {
  local try tries=$(($1 * 20))
  shift
  for ((try = 0; try < tries; try++)); do
    "$@" && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.05
  done
  return 1
}

# report_of NAME: the first line in which the program reported NAME.
report_of() {
  grep -Em1 "^$1 at -?[0-9]+ -?[0-9]+ in 0x[0-9a-f]+$" "$out"
}

# control NAME [SECONDS]: prints "ID X Y" of where the program first reported NAME; false when it
# did not in time.
control() {
  wait_until "${2:-30}" report_of "$1" >/dev/null || return 1
  local _ x y id
  read -r _ _ x y _ id <<<"$(report_of "$1")"
  echo "$id $x $y"
}

# click ID X Y: a left click at X Y inside the window ID.
click() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
}

# click_on NAME [SECONDS]: clicks where the program reported NAME; false when it did not.
click_on() {
  local where id x y
  where=$(control "$@") || return 1
  read -r id x y <<<"$where"
  click "$id" "$x" "$y"
}

viewable() {
  xwininfo -id "$1" 2>/dev/null | grep -q "Map State: IsViewable"
}

gone() {
  ! xwininfo -id "$1" >/dev/null 2>&1
}

# ended_cleanly SECONDS: true when the program ends in time with 0 and no sanitizer report.
ended_cleanly() {
  local try tries=$(($1 * 20))
  for ((try = 0; try < tries; try++)); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    wait "$pid"
    return 1
  fi
  wait "$pid" && ! grep -q "Sanitizer" "$out"
}

# on_screen ID: mapped and managed by the window manager.
on_screen() {
  viewable "$1" && xprop -id "$1" WM_STATE 2>/dev/null | grep -q "window state: Normal"
}

has_focus() { [ "$(xdotool getwindowfocus)" = "$(($1))" ]; }

wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }

# start_window_manager FOLDER CHECK: starts openbox and waits until it manages the display; sets
# `wm`. A window manager that fails to come up says nothing of the program: it gets three tries,
# each failed one telling CHECK's name and showing its log (kept in FOLDER). It reads its
# settings and theme from the XDG folders: it gets the system's own, so that the caller's
# environment cannot keep it from starting.
start_window_manager() {
  local attempt
  mkdir -p "$1/home"
  for ((attempt = 1; ; attempt++)); do
    HOME="$1/home" XDG_CONFIG_HOME="$1/home" XDG_CACHE_HOME="$1/home" \
      XDG_DATA_HOME="$1/home" XDG_CONFIG_DIRS=/etc/xdg XDG_DATA_DIRS=/usr/local/share:/usr/share \
      openbox --sm-disable </dev/null >"$1/openbox.log" 2>&1 &
    wm=$!
    pid=$wm # whose end wait_until watches for
    wait_until 60 wm_running && return 0
    if kill -0 "$wm" 2>/dev/null; then
      echo "$2: openbox did not manage $DISPLAY in time"
      kill "$wm"
      wait "$wm"
    else
      wait "$wm"
      echo "$2: openbox ended with $? on $DISPLAY"
    fi
    cat "$1/openbox.log"
    [ "$attempt" -lt 3 ] || return 1
  done
}
