#!/usr/bin/env bash
# Installs what is missing, builds the program (Release), stages the program
# folder build/game/ and starts the game in a window.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/packages.sh
# shellcheck disable=SC2086
ensure_packages $quoli_build_packages

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DQUOLI_TESTS=OFF \
      -DQUOLI_STAGE_DIR="$PWD/build/game" >/dev/null
cmake --build build/release -j"$(nproc)"

if [ ! -f build/game/config.ini ]; then
  audio=1
  # Without any sound device the mixer cannot open and the program would
  # stop at start-up: such a machine plays silently.
  if [ ! -e /dev/snd/controlC0 ] && [ -z "${PULSE_SERVER:-}" ] && ! pactl info >/dev/null 2>&1; then
    audio=0
  fi
  printf '[global]\r\nRESOLUTION=800x600\r\nFULLSCREEN=0\r\nAUDIO=%s\r\n' "$audio" > build/game/config.ini
fi

if [ -z "${DISPLAY:-}" ]; then
  echo "build/game/ is built and staged. The game opens a window: start it from a desktop session"
  echo "(DISPLAY is not set here), e.g. with: cd build/game && ./quoli"
  exit 1
fi

if [ -x build/game/quoli ]; then
  cd build/game
  exec ./quoli "$@"
fi
echo "build/game/ is staged; the program itself is not built yet, so there is nothing to start."
