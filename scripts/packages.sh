# Installs the Debian packages a command needs, only when some are missing.
# Sourced by run.sh and test.sh.

quoli_build_packages="cmake g++ pkg-config python3 libsdl1.2-dev libespeak-ng-dev espeak-ng-data libsdl-mixer1.2-dev libsdl-ttf2.0-dev
  libx11-dev fonts-liberation fonts-comic-neue fonts-dejavu-core x11-utils xclip cups-client xdg-user-dirs
  libsqlite3-dev libwayland-dev"
# The compat library (Debian 13's SDL 1.2) runs the end-to-end tests a second
# time; weston is the Wayland compositor of the Wayland start; a small window
# manager shows full screen as a desktop does; the package is
# built with debhelper and checked with lintian, desktop-file-validate and
# appstreamcli; sox checks the voice's sound.
quoli_test_packages="libgtest-dev sox xvfb xdotool x11-xkb-utils x11-xserver-utils imagemagick cups-daemon desktop-file-utils
  libsdl1.2-compat weston matchbox-window-manager lintian debhelper dpkg-dev fakeroot appstream"
# libFuzzer and the sanitizer runtimes come with libclang-rt-dev, which clang
# only recommends.
quoli_fuzz_packages="cmake pkg-config python3 libsdl1.2-dev libsdl-mixer1.2-dev libsdl-ttf2.0-dev libx11-dev
  clang libclang-rt-dev libsqlite3-dev libwayland-dev libespeak-ng-dev espeak-ng-data"

ensure_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
