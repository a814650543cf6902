#!/usr/bin/env bash
# The help in a real X server: F10 on the title screen and F1 in the main
# menu open it, Page Down scrolls it, Escape closes it.
set -u
stage="$1"
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/xvfb.sh"

differ() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1)" -gt "${3:-1000}" ]; }
# press KEY: the key, once the program has shown what it did.
press() {
  snapshot "$work/before"
  xdotool key "$1"
  wait_screen_change "$work/before" 10
}

work=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$work"' EXIT
cp -r "$stage" "$work/game"
rm -rf "$work/game/DATA" "$work/game/txt"   # start as a fresh installation
cd "$work/game"
printf '[global]\r\nRESOLUTION=800x600\r\nFULLSCREEN=0\r\nAUDIO=0\r\n' > config.ini
start_xvfb || exit 1
./quoli > "$work/out.log" 2>&1 &
pid=$!
wait_for_window Quoli 20 > /dev/null
wait_drawn 20
shot "$work/title.png"
press F10
shot "$work/help.png"
check "F10 on the title screen opens the help" differ "$work/title.png" "$work/help.png"
press Next
shot "$work/scrolled.png"
check "Page Down scrolls the page" differ "$work/help.png" "$work/scrolled.png"
press Escape
shot "$work/closed.png"
check "Escape closes the help" [ "$(compare -metric AE "$work/title.png" "$work/closed.png" null: 2>&1 | cut -d' ' -f1)" -lt 20000 ]
press Return   # the focus stayed on "Invio - Avanti"
shot "$work/menu.png"
press F1
shot "$work/menuhelp.png"
check "F1 in the main menu opens its help" differ "$work/menu.png" "$work/menuhelp.png"
press Next
shot "$work/menuscrolled.png"
check "which scrolls too" differ "$work/menuhelp.png" "$work/menuscrolled.png"
press Escape
shot "$work/menuback.png"
check "and closes" [ "$(compare -metric AE "$work/menu.png" "$work/menuback.png" null: 2>&1 | cut -d' ' -f1)" -lt 20000 ]
xdotool key ctrl+q
wait_for_exit "$pid" 10
check "the program still ends with 0" [ $? -eq 0 ]
[ "$failed" -eq 0 ] || cp "$work"/*.png /tmp/ 2>/dev/null
finish_checks
