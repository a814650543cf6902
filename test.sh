#!/usr/bin/env bash
# Installs what is missing, builds the checked configuration (Debug with
# AddressSanitizer and UndefinedBehaviorSanitizer), stages the program folder
# and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/packages.sh
# shellcheck disable=SC2086
ensure_packages $quoli_build_packages $quoli_test_packages

cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DQUOLI_SANITIZE=ON >/dev/null
cmake --build build/test -j"$(nproc)"
# The Debian package, for its own test (installed, played, checked, removed).
scripts/build-deb.sh build/deb >/dev/null
cd build/test
ctest --output-on-failure -j"$(nproc)"
