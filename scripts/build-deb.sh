#!/usr/bin/env bash
# Builds the Debian package from a copy of the sources in FOLDER (default
# build/deb), as dpkg-buildpackage does for a school: FOLDER/quoli_*.deb.
# The copy and its build are kept, so a second run only rebuilds what changed.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/deb}")
copy="$out/quoli"
mkdir -p "$copy"
# The sources as git knows them, committed or not; only a file that changed
# is copied (and so newer than what was built from it): make then rebuilds
# only what changed.
git ls-files -z --cached --others --exclude-standard | grep -zv '^build/' |
  while IFS= read -r -d '' file; do
    [ ! -e "$file" ] || cmp -s -- "$file" "$copy/$file" || cp --parents -- "$file" "$copy"
  done
cd "$copy"
# dh skips the build steps a stamp says were done: make decides instead.
rm -f debian/debhelper-build-stamp
# -nc: the build folder of the run before is reused.
DEB_BUILD_OPTIONS="parallel=2 ${DEB_BUILD_OPTIONS:-}" dpkg-buildpackage -b -us -uc -nc >"$out/build.log" 2>&1 || { tail -n 40 "$out/build.log"; exit 1; }
ls "$out"/quoli_*.deb
