#!/usr/bin/env bash
# Where the main window opens on a real desktop (Xvfb with openbox), read from
# outside with X tools, with the real program started from its own temporary
# folder and closed through the window manager as a user closes it.
#   tests/desktop/window-position.sh <septarion executable> <data folder> <case>
# Cases:
#   restarts    no stored settings: three starts without moving the window
#               leave its frame at the top-left corner, fully on the screen
#   moved       moved to (40,40), closed and started again: it opens there
#   off-screen  a stored position far off the screen opens fully on it; one
#               that keeps the title bar on the screen opens as stored
# Exit code 77 means skipped (X tools missing).
# shellcheck source=tests/desktop/desktop-session.sh
source "$(dirname "$0")/desktop-session.sh"

[ $# -eq 3 ] || fail "usage: $0 <executable> <data folder> <case>"
executable=$1
data=$2
case_name=$3
skip_unless_tools
start_desktop

folder="$work/program"
mkdir -p "$folder/download"
cp "$executable" "$folder/septarion"
cp "$data/Loto7Number.csv" "$data/Loto7Data.csv" "$folder/download/"
settings="$XDG_CONFIG_HOME/Ozumel/Septarion.conf"
read -r screen_w screen_h < <(xwininfo -root | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')

# The main window of the running copy is up, decorated by the window manager,
# and the start-up is over (the please-wait box has gone).
main_window_ready() {
  kill -0 "$app" 2>/dev/null || fail "the program ended at start-up: $(cat "$work/program.log")"
  window=$(xdotool search --all --onlyvisible --pid "$app" --name '^Septarion ' 2>/dev/null | sed -n 1p)
  [ -n "$window" ] || return 1
  xprop -id "$window" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '=' || return 1
  [ "$(xdotool search --all --onlyvisible --pid "$app" 2>/dev/null | wc -l)" -eq 1 ]
}

start_program() {
  "$folder/septarion" >"$work/program.log" 2>&1 &
  app=$!
  started_pids+=("$app")
  wait_until "the main window" main_window_ready
  read_frame
}

# frame_x, frame_y, frame_w, frame_h: the window with its frame, from the
# client area's place and the frame extents the window manager publishes.
read_frame() {
  local x y w h left right top bottom
  read -r x y w h < <(xwininfo -id "$window" | awk '
    /Absolute upper-left X:/ {x=$NF} /Absolute upper-left Y:/ {y=$NF}
    /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}')
  IFS=', ' read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //')
  frame_x=$((x - left))
  frame_y=$((y - top))
  frame_w=$((w + left + right))
  frame_h=$((h + top + bottom))
}

frame_at() {
  read_frame
  [ "$frame_x,$frame_y" = "$1,$2" ]
}

program_ended() {
  ! kill -0 "$app" 2>/dev/null
}

# A real close: the window manager asks the window to close.
close_program() {
  wmctrl -i -c "$window"
  wait_until "the program to end after the close" program_ended
  local code=0
  wait "$app" || code=$?
  [ "$code" -eq 0 ] || fail "the program ended with $code: $(cat "$work/program.log")"
}

stored() {
  sed -n "/^\[Windows\]/,/^\[/ s/^$1=//p" "$settings"
}

expect_frame_at() {
  echo "$1: frame at ($frame_x,$frame_y), ${frame_w}x$frame_h"
  [ "$frame_x,$frame_y" = "$2,$3" ] || fail "$1: the frame is at ($frame_x,$frame_y), not at ($2,$3)"
}

expect_fully_on_screen() {
  if [ "$frame_x" -lt 0 ] || [ "$frame_y" -lt 0 ] ||
    [ $((frame_x + frame_w)) -gt "$screen_w" ] || [ $((frame_y + frame_h)) -gt "$screen_h" ]; then
    fail "$1: the frame ($frame_x,$frame_y) ${frame_w}x$frame_h is not fully on the ${screen_w}x$screen_h screen"
  fi
}

expect_stored() {
  [ "$(stored Left),$(stored Top)" = "$2,$3" ] ||
    fail "$1: stored Left/Top $(stored Left)/$(stored Top), not $2/$3"
}

store_position() {
  mkdir -p "$(dirname "$settings")"
  printf '[Windows]\nLeft=%s\nTop=%s\n' "$1" "$2" >"$settings"
}

case $case_name in
restarts)
  [ ! -e "$settings" ] || fail "settings exist before the first start"
  for start in 1 2 3; do
    start_program
    expect_frame_at "start $start" 0 0
    expect_fully_on_screen "start $start"
    close_program
    expect_stored "start $start" 0 0
  done
  ;;
moved)
  start_program
  # Gravity 1 (north-west): the frame's corner goes to (40,40).
  wmctrl -i -r "$window" -e 1,40,40,-1,-1
  wait_until "the window to move to (40,40)" frame_at 40 40
  close_program
  expect_stored "closed at (40,40)" 40 40
  start_program
  expect_frame_at "start after the move" 40 40
  close_program
  expect_stored "second close" 40 40
  ;;
off-screen)
  store_position 5000 -3000
  start_program
  expect_fully_on_screen "stored 5000/-3000"
  echo "stored 5000/-3000: frame at ($frame_x,$frame_y), ${frame_w}x$frame_h"
  close_program
  # The title bar is on the screen although the window sticks out: as stored.
  store_position 900 500
  start_program
  expect_frame_at "stored 900/500" 900 500
  close_program
  ;;
*)
  fail "unknown case $case_name"
  ;;
esac
echo "ok: $case_name"
