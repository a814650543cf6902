#!/bin/sh
# Starts the installed Quoli. The program runs in its data folder, which
# nobody but the system writes: each child's data goes to the user's own
# folder (~/.local/share/velmoran/QUOLI), or to the shared folder that
# /etc/quoli/config.ini names.
set -e
program=/usr/lib/games/quoli
data=/usr/share/games/quoli
. "$program/first-start.sh"
# Without a sound device the mixer could not open and the program would stop
# at its start: such a machine plays silently.
if [ -z "${SDL_AUDIODRIVER:-}" ] && ! quoli_has_sound; then
  SDL_AUDIODRIVER=dummy
  export SDL_AUDIODRIVER
fi
# A folder given for the export is the caller's, not the data folder's.
if [ "${1:-}" = --esporta ] && [ -n "${2:-}" ]; then
  set -- "$1" "$(realpath -m -- "$2")"
fi
cd "$data"
# Shortcuts that the program puts on the desktop start this launcher.
QUOLI_LAUNCHER=/usr/games/quoli
export QUOLI_LAUNCHER
exec "$program/quoli" "$@"
