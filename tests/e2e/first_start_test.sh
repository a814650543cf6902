#!/usr/bin/env bash
# The first start of a program folder, as run.sh makes it: the build stages
# no settings; on a machine without any sound device (no sound card, no
# sound server) the settings written say AUDIO=0, in CR LF lines, with no
# DIRECTX; the program then starts silently in a real X server and ends
# with Ctrl+Q. With a sound server that answers, they say AUDIO=1.
set -u
stage="$1"
here="$(cd "$(dirname "$0")" && pwd)"
root="$here/../.."
. "$here/xvfb.sh"
. "$root/scripts/first-start.sh"

work=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$work"' EXIT
check "the build stages no config.ini (the first start writes it)" [ ! -e "$stage/config.ini" ]
cp -r "$stage" "$work/game"
rm -rf "$work/game/DATA" "$work/game/txt" "$work/game/config.ini"

# A sound server that answers, or none: pactl stands for it.
mkdir "$work/bin"
printf '#!/bin/sh\nexit 0\n' > "$work/bin/pactl"
chmod +x "$work/bin/pactl"
PATH="$work/bin:$PATH" quoli_first_config "$root/assets/config.ini" "$work/with-sound.ini"
check "with a sound server the settings say AUDIO=1" grep -q $'^AUDIO=1\r$' "$work/with-sound.ini"

printf '#!/bin/sh\nexit 1\n' > "$work/bin/pactl"
without_sound() {
  # The machine's sound card, if it has one, hidden from the check.
  if [ -e /dev/snd/controlC0 ]; then
    unshare --mount sh -c "mount -t tmpfs none /dev/snd && . '$root/scripts/first-start.sh' && $*"
  else
    sh -c ". '$root/scripts/first-start.sh' && $*"
  fi
}
PATH="$work/bin:$PATH" PULSE_SERVER='' without_sound quoli_first_config "'$root/assets/config.ini'" "'$work/game/config.ini'"
check "without sound the settings say AUDIO=0" grep -q $'^AUDIO=0\r$' "$work/game/config.ini"
check "every line ends in CR LF" [ "$(grep -c $'\r$' "$work/game/config.ini")" -eq "$(wc -l < "$work/game/config.ini")" ]
check "no DIRECTX key" [ -z "$(grep -i '^DIRECTX' "$work/game/config.ini")" ]
check "the window's defaults stay" grep -q $'^FULLSCREEN=0\r$' "$work/game/config.ini"

start_xvfb || exit 1
cd "$work/game"
# No audio driver that could stand in for a device.
env -u SDL_AUDIODRIVER ./quoli > "$work/out.log" 2>&1 &
pid=$!
check "the program starts and shows its title" wait_drawn 30
check "it is still running" kill -0 "$pid"
xdotool key ctrl+q
wait_for_exit "$pid" 15
status=$?
check "Ctrl+Q ends it with status 0 (got $status)" [ "$status" -eq 0 ]
[ "$status" -eq 0 ] || cat "$work/out.log"
finish_checks
