#!/usr/bin/env bash
# Builds the Debian package veldran_<version>_<arch>.deb from a Release build, checks it
# (scripts/check-package.sh) and leaves it in the project's folder:
#   sudo apt install ./veldran_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=build/package
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELDRAN_BUILD_TESTS=OFF -DVELDRAN_BUILD_BENCH=OFF >/dev/null
scripts/check-deps.sh "$build"
cmake --build "$build"
rm -f "$build"/veldran_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/veldran_*.deb)
scripts/check-package.sh "$deb"
cp "$deb" .
echo "built ./$(basename "$deb")"
