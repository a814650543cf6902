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

# The build stages no settings: the first start writes them, for this machine.
. scripts/first-start.sh
[ -f build/game/config.ini ] || quoli_first_config assets/config.ini build/game/config.ini

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
