#!/usr/bin/env bash
# The help in a real X server: F10 on the title screen and F1 in the main
# menu open it, Page Down scrolls it, Escape closes it.
set -u
stage="$1"
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/xvfb.sh"

differ() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1)" -gt "${3:-1000}" ]; }
shot() { sleep "${2:-1}"; import -window root -crop 800x600+0+0 "$work/$1.png"; }

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
shot title 1.5
xdotool key F10
shot help
check "F10 on the title screen opens the help" differ "$work/title.png" "$work/help.png"
xdotool key Next
shot scrolled
check "Page Down scrolls the page" differ "$work/help.png" "$work/scrolled.png"
xdotool key Escape
shot closed
check "Escape closes the help" [ "$(compare -metric AE "$work/title.png" "$work/closed.png" null: 2>&1 | cut -d' ' -f1)" -lt 20000 ]
xdotool key Return   # the focus stayed on "Invio - Avanti"
shot menu
xdotool key F1
shot menuhelp
check "F1 in the main menu opens its help" differ "$work/menu.png" "$work/menuhelp.png"
xdotool key Next
shot menuscrolled
check "which scrolls too" differ "$work/menuhelp.png" "$work/menuscrolled.png"
xdotool key Escape
shot menuback
check "and closes" [ "$(compare -metric AE "$work/menu.png" "$work/menuback.png" null: 2>&1 | cut -d' ' -f1)" -lt 20000 ]
xdotool key ctrl+q
wait_for_exit "$pid" 10
check "the program still ends with 0" [ $? -eq 0 ]
[ "$failed" -eq 0 ] || cp "$work"/*.png /tmp/ 2>/dev/null
finish_checks
