#!/usr/bin/env bash
# "quoli -b" in a real X server, typed into as a child would: the name
# prompt shows; an unknown name and Enter give the message; Enter returns
# to the prompt with the name still there; Escape ends the program with 0.
set -u
stage="$1"
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/xvfb.sh"

colours() { convert "$1" -crop 800x600+0+0 -format %k info:; }

work=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$work"' EXIT
cp -r "$stage" "$work/game"
rm -rf "$work/game/DATA" "$work/game/txt"   # start as a fresh installation
cd "$work/game"
printf '[global]\r\nRESOLUTION=800x600\r\nFULLSCREEN=0\r\nAUDIO=0\r\n' > config.ini
start_xvfb || exit 1

./quoli -b > "$work/out.log" 2>&1 &
pid=$!
id=$(wait_for_window Quoli 20)
check "the window opens" [ -n "$id" ]
wait_drawn 20
shot "$work/prompt.png"
check "the prompt is on screen (not a blank screen)" [ "$(colours "$work/prompt.png")" -gt 4 ]
xdotool type --delay 60 "Nessuno"
input_handled
snapshot "$work/typed"
xdotool key Return
wait_screen_change "$work/typed" 10
shot "$work/message.png"
check "Enter on an unknown name shows the message" \
  [ "$(compare -metric AE "$work/prompt.png" "$work/message.png" null: 2>&1 | cut -d' ' -f1)" -gt 1000 ]
check "the program is still running" kill -0 "$pid"
snapshot "$work/shown"
xdotool key Return
wait_screen_change "$work/shown" 10
shot "$work/again.png"
check "Enter returns to the prompt" \
  [ "$(compare -metric AE "$work/message.png" "$work/again.png" null: 2>&1 | cut -d' ' -f1)" -gt 1000 ]
check "the name is still in the line" \
  [ "$(compare -metric AE "$work/prompt.png" "$work/again.png" null: 2>&1 | cut -d' ' -f1)" -gt 20 ]
xdotool key Escape
wait_for_exit "$pid" 10
status=$?
check "Escape ends the program with status 0 (got $status)" [ "$status" -eq 0 ]
[ "$status" -eq 0 ] || cat "$work/out.log"
[ "$failed" -eq 0 ] || cp "$work"/*.png /tmp/ 2>/dev/null
finish_checks
