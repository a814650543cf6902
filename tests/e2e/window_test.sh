#!/usr/bin/env bash
# The staged program in a real X server, driven with real key presses: it
# opens the window the configuration asks for, titled as the string table
# says; Ctrl+Alt+Q leaves it running; Ctrl+Q and Alt+F4 end it with status 0.
set -u
stage="$1"
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/xvfb.sh"

work=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$work"' EXIT
cp -r "$stage" "$work/game"
rm -rf "$work/game/DATA" "$work/game/txt"   # start as a fresh installation
cd "$work/game"
start_xvfb || exit 1

still_shown() {  # still_shown PID SIZE: running, its picture on the screen
  kill -0 "$1" && [ "$(convert "xwd:$XVFB_FB" -crop "$2+0+0" -format %k info:)" -gt 4 ]
}

run_session() {  # run_session RESOLUTION WIDTH HEIGHT QUIT-KEY
  printf '[global]\r\nRESOLUTION=%s\r\nFULLSCREEN=0\r\nAUDIO=0\r\n' "$1" > config.ini
  ./quoli > "$work/out-$1.log" 2>&1 &
  local pid=$!
  local id
  id=$(wait_for_window "Quoli" 20)
  check "$1: a window titled Quoli opens" [ -n "$id" ]
  [ -n "$id" ] || { kill "$pid"; return; }
  local geometry
  geometry=$(xdotool getwindowgeometry "$id" | sed -n 's/.*Geometry: //p')
  check "$1: the window is $2x$3 (got $geometry)" [ "$geometry" = "$2x$3" ]
  xdotool mousemove --window "$id" 20 20
  wait_drawn 20 "$1"
  xdotool key ctrl+alt+q
  # Still running once the key has been handled: the pointer nudged after it
  # is drawn (an ended program would have left a blank screen).
  input_handled
  check "$1: Ctrl+Alt+Q does not end the program" still_shown "$pid" "$1"
  xdotool key "$4"
  wait_for_exit "$pid" 10
  local status=$?
  check "$1: $4 ends the program with status 0 (got $status)" [ "$status" -eq 0 ]
  [ "$status" -eq 0 ] || cat "$work/out-$1.log"
}

run_session 640x480 640 480 ctrl+q
run_session 800x600 800 600 alt+F4
run_session 1024x768 1024 768 ctrl+F4

out=$(env -u DISPLAY ./quoli Nessuno 2>&1)
check "an unknown profile ends with status 1" [ $? -eq 1 ]
check "and names the profile (got: $out)" grep -q "Non esiste il profilo di  Nessuno" <<< "$out"

mkdir -p "$work/empty"
out=$(cd "$work/empty" && env -u DISPLAY "$work/game/quoli" 2>&1)
check "a missing archive ends with status 1" [ $? -eq 1 ]
check "and names the archive (got: $out)" grep -q "Can't load resources: resource.bin" <<< "$out"

finish_checks
