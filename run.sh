#!/usr/bin/env bash
# Builds VELDRAN (Release) and starts it. Arguments go to the application, e.g. ./run.sh capture.vxr
# ./run.sh --demo starts the instrument simulator on a pseudo-terminal and the application with
# COM1 mapped to it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELDRAN_BUILD_TESTS=OFF -DVELDRAN_BUILD_BENCH=OFF >/dev/null
scripts/check-deps.sh build/release >/dev/null
cmake --build build/release
if [ "${1:-}" = "--demo" ]; then
  shift
  exec scripts/demo.sh build/release "$@"
fi
exec build/release/app/veldran "$@"
