#!/usr/bin/env bash
# The program from the keyboard alone, under a real window manager, in the four languages that
# have string tables (Chinese, English, Italian, Swedish). On a virtual X display with openbox, a
# user who never touches the mouse reaches the key tree by Shift+Tab and adds a key from its
# context menu (the Menu key): picks the key type by Space, types the key shape with Tab between
# the fields, fills the first space through its cell (Home, Enter, digits, Enter) and the rest by
# the automatic input, each depth through its cell (Down, Enter, digits, Enter), types the name and
# model and finishes the key by Enter on Next; then deletes it by the Delete button and confirms
# with Tab and Enter. Another key begun is saved unfinished when a third is asked for: Yes to
# the close question, then a name longer than the name box takes. A Tab round of the main window
# changes no selection of the key tree; a search typed into the search box has its second result
# chosen by Down and Enter; and the program ends by its close button. Each key waits until the
# program has handled it, each box until it has the focus; the finished, deleted and unfinished
# keys are read from the key files. With SHOTS, a folder, a screenshot of each step that shows a
# focus is kept there (it needs ImageMagick's import). Usage: wm_keyboard_check.sh PROGRAM [SHOTS]
set -euo pipefail
program=$(realpath "$1")
shots=""
if [ $# -gt 1 ]; then
  mkdir -p "$2"
  shots=$(realpath "$2")
fi
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:strict_string_checks=0"

xvfb-run -a -s "-screen 0 1280x800x24" \
  bash -s "$program" "$(dirname "$(realpath "$0")")" "$shots" <<'SCRIPT'
set -uo pipefail
source "$2/x_program.sh"
program=$1
shots=$3
work=$(mktemp -d)
trap 'kill $wm 2>/dev/null; rm -rf "$work"' EXIT
start_window_manager "$work" "wm keyboard check" || exit 1

count() { grep -c "^$1" "$out"; }
at_least() { [ "$(count "$1")" -ge "$2" ]; }
focused() { grep '^focus ' "$out" | tail -n1 | cut -d' ' -f2-; }
focus_on() { [ "$(focused)" = "$1" ]; }

# press KEY...: presses each key and waits until the program has handled it.
press() {
  local key
  for key in "$@"; do
    type_keys key "$key" 1 || return 1
  done
}
# type_text TEXT: types TEXT and waits until the program has handled each character.
type_text() { type_keys type "$1" "${#1}"; }
type_keys() {
  local handled
  handled=$(count 'key$')
  xdotool "$1" "$2"
  wait_until 10 at_least 'key$' $((handled + $3)) ||
    { problem="the program did not take $2"; return 1; }
}

# tab_to NAME [KEY]: presses Tab (or KEY) until NAME has the focus.
tab_to() {
  local n
  for ((n = 0; n < 40; n++)); do
    [ "$(focused)" = "$1" ] && return 0
    press "${2:-Tab}" || return 1
  done
  problem="no ${2:-Tab} took the focus to $1 (it is on $(focused))"
  return 1
}

# box_up NAME: waits for a message box other than the last one, found by its control NAME, and
# for it to take the focus; sets `box`.
box_up() {
  wait_until 10 new_box "$1" || { problem="no message box with $1 came"; return 1; }
  box=$(last_window_of "$1")
  wait_until 10 on_screen "$box" && wait_until 10 has_focus "$box" ||
    { problem="the message box did not take the focus"; return 1; }
}
last_window_of() { grep -E "^$1 at " "$out" | tail -n1 | sed 's/.* //'; }
new_box() { local id; id=$(last_window_of "$1"); [ -n "$id" ] && [ "$id" != "$box" ]; }
# answer KEY: KEY answers the message box, which goes; the main window has the focus again.
answer() {
  press "$1" || return 1
  wait_until 10 gone "$box" && wait_until 10 has_focus "$main" ||
    { problem="the message box did not go on $1"; return 1; }
}

# add_key: "Add Key" from the context menu of the tree's item, opened by the Menu key.
add_key() {
  local menus
  menus=$(count 'popup$')
  press Menu || return 1
  wait_until 10 at_least 'popup$' $((menus + 1)) ||
    { problem="the Menu key opened no menu"; return 1; }
  press Down Return
}

# cell DIGITS: opens the selected row's cell by Enter, types DIGITS and stores them by Enter;
# the list has the keys again.
cell() {
  local list
  list=$(focused)
  press Return && [ "$(focused)" = ListEdit ] && type_text "$1" && press Return &&
    [ "$(focused)" = "$list" ] || { problem="the cell of $list did not take $1"; return 1; }
}

# begin_key: a standard single-sided key's type and shape, and Next to its spaces. The focus
# goes on to the first control of the key shape.
begin_key() {
  tab_to keyType1 && press space || return 1
  wait_until 10 focus_on LocatingPartyComb ||
    { problem="the focus did not go on to the key shape (it is on $(focused))"; return 1; }
  shoot key-shape
  tab_to EditUI1 && type_text 2500 && press Tab && type_text 1000 || return 1
  shoot width
  tab_to NextBtn && press Return
}

# finish_key: a whole key through the wizard, each step left by Next.
finish_key() {
  begin_key || return 1
  # The first space through its cell, the others counted up from it.
  tab_to Step3ListA shift+Tab && press Home && cell 300 && tab_to autoEdit1 && type_text 100 &&
    press Tab space || return 1
  shoot spaces
  tab_to NextBtn && press Return && tab_to NextBtn && press Return || return 1
  # Each depth through its cell.
  tab_to Step5ListE shift+Tab && press Home && cell 900 && press Down && cell 860 && press Down &&
    cell 820 && press Down && cell 780 || return 1
  shoot depths
  tab_to NextBtn && press Return || return 1
  tab_to EditUI11 shift+Tab && type_text KEYBOARDDONE && press Tab && type_text X5 || return 1
  shoot save
  tab_to NextBtn && press Return
}

last_selected() { grep '^selected ' "$out" | tail -n1 | cut -d' ' -f2-; }

# tab_round: Tab once round the main window from the key tree back to it, through the search
# box: no search starts (its button stays off), and the tree's selection does not move.
tab_round() {
  local moves n through=""
  tab_to QTreeWidget || return 1
  moves=$(count 'selected ')
  for ((n = 0; n < 40; n++)); do
    press Tab || return 1
    case $(focused) in
      SearchEdit) through=yes ;;
      SearchBtn) problem="a Tab into the search box started a search"; return 1 ;;
      QTreeWidget) break ;;
    esac
  done
  [ "$(focused)" = QTreeWidget ] && [ -n "$through" ] ||
    { problem="no Tab round came back to the key tree through the search box"; return 1; }
  [ "$(count 'selected ')" -eq "$moves" ] ||
    { problem="a Tab round moved the key tree's selection to $(last_selected)"; return 1; }
}

# search_second NAME: types a search into the box, Tabs to its results and chooses the second
# by Down and Enter: Down moves in the results only, and Enter selects NAME in the tree.
search_second() {
  local moves
  tab_to SearchEdit && type_text KEYBOARD && tab_to QTreeWidget || return 1
  shoot search-focus
  moves=$(count 'selected ')
  press Down || return 1
  [ "$(count 'selected ')" -eq "$moves" ] ||
    { problem="the search results were gone when Down came ($(last_selected))"; return 1; }
  shoot search-results
  press Return || return 1
  [ "$(last_selected)" = "$1" ] ||
    { problem="Down and Enter in the search results did not choose $1"; return 1; }
}

shoot() {
  [ -z "$shots" ] || import -window root "$shots/$language-$1.png"
}

holds() { grep -qa "$2" "$1" 2>/dev/null; }
# key_status FILE NAME: the status of the finished key NAME, the four bytes 36 on from the start of
# its record: "ffffffff" live, "00000000" deleted (the record stays).
key_status() {
  local at
  at=$(grep -boa "$2" "$1" 2>/dev/null | head -n1 | cut -d: -f1)
  [ -n "$at" ] && od -An -tx1 -j $((at + 36)) -N4 "$1" | tr -d ' \n'
}

# run LANGUAGE: one start in the language of that index; sets `problem` to what went wrong.
run() {
  problem=""
  language=$1
  box=""
  local dir="$work/$1" where
  mkdir -p "$dir"
  cp "$program" "$dir/"
  ln -s "$(dirname "$program")/skin" "$dir/skin"
  cp "$(dirname "$program")/carFactory.ini" "$dir/"
  printf '[LanguageKey]\nLanguage=%d\n' "$1" >"$dir/config.ini"
  start_program "$dir/$(basename "$program")" "$dir/out"
  where=$(control CloseBtn) || { problem="the main window did not come up"; return; }
  read -r main _ <<<"$where"
  wait_until 30 on_screen "$main" && wait_until 10 has_focus "$main" ||
    { problem="the main window did not come up with the focus"; return; }
  # The tree is the main window's last stop; a car maker is picked.
  tab_to QTreeWidget shift+Tab && press Right Down || return
  shoot tree
  add_key || return
  control NextBtn 10 >/dev/null || { problem="the key wizard did not open"; return; }
  finish_key || return
  [ "$(key_status "$dir/KeyData.u" KEYBOARDDONE)" = ffffffff ] ||
    { problem="the finished key was not saved"; return; }
  # The finished key, picked in the tree under its maker, is deleted.
  tab_to QTreeWidget shift+Tab && press Right Down && tab_to DeleteBtn shift+Tab || return
  shoot main
  press Return && box_up NoButton && tab_to NoButton || return
  shoot delete-question
  answer Return || return
  [ "$(key_status "$dir/KeyData.u" KEYBOARDDONE)" = 00000000 ] ||
    { problem="the key was not deleted"; return; }
  # Another key asked for while one is being entered: the wizard asks whether to save it, and
  # Yes asks for its name; Enter answers each box as it comes up (Yes, and Ok from the entry).
  tab_to QTreeWidget && press Home Right Down && add_key && begin_key &&
    tab_to QTreeWidget shift+Tab && add_key && box_up OkButton || return
  shoot close-question
  press Return && box_up KeyNameEdit && type_text KEYBOARD12345XY || return
  shoot key-name
  answer Return || return
  # The box took the name's first 13 characters, which with "_U" fill the record's 15 bytes.
  holds "$dir/KeyDataEdit.u" KEYBOARD12345_U ||
    { problem="the key was not saved under the first 13 characters of its name"; return; }
  # The new key's wizard goes. The search finds the deleted key first, then the unfinished one.
  tab_to CancelBtn && press Return && tab_round && search_second KEYBOARD12345_U || return
  # And the program goes.
  tab_to CloseBtn || return
  xdotool key Return
  ended_cleanly 10 || problem="the close button did not end the program cleanly"
}

failed=0
for language in 0 1 3 8; do
  run "$language"
  if [ -n "$problem" ]; then
    echo "wm keyboard check: language $language: $problem"
    grep -v " at .* in 0x" "$work/$language/out" | tail -n 30
    { kill -9 "$pid" && wait "$pid"; } 2>/dev/null
    failed=$((failed + 1))
  fi
done
echo "wm keyboard check: 4 languages, $failed failed"
[ "$failed" -eq 0 ]
SCRIPT
