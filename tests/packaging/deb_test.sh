#!/usr/bin/env bash
# Packs this build tree as the Debian package and checks it as scripts/package.sh does.
# Usage: deb_test.sh <build dir> <source dir>
set -euo pipefail
build=${1:?usage: deb_test.sh <build dir> <source dir>}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >/dev/null
"$2/scripts/check-package.sh" "$work"/veldran_*.deb
