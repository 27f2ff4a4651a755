#!/usr/bin/env bash
# scripts/check-deps.sh against a made-up build tree: a file from a package that the set-up list
# neither names nor pulls in fails the check, naming that package; the same tree passes once the
# list names it; a program the tests run that configure did not find fails too.
# Usage: check_deps_test.sh <source dir>
set -euo pipefail
check=${1:?usage: check_deps_test.sh <source dir>}/scripts/check-deps.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir "$work/build"
list() { printf 'packages=(\n  %s\n)\n' "$*" >"$work/install-deps.sh"; }
cache() { printf 'CMAKE_HOME_DIRECTORY:INTERNAL=%s\n' "$work/src" >"$work/build/CMakeCache.txt"; printf '%s\n' "$@" >>"$work/build/CMakeCache.txt"; }
run() { "$check" "$work/build" "$work/install-deps.sh" 2>&1; }

# A program and a package config, each from a package outside the list.
cache 'CMAKE_MAKE_PROGRAM:FILEPATH=/usr/bin/ninja' \
      'Qt6LinguistTools_DIR:PATH=/usr/lib/x86_64-linux-gnu/cmake/Qt6LinguistTools'
list cmake
out=$(run) && fail "passed with ninja-build and qt6-tools-dev missing from the list: $out"
grep -q 'ninja-build' <<<"$out" || fail "the failure does not name ninja-build: $out"
grep -q 'qt6-tools-dev' <<<"$out" || fail "the failure does not name qt6-tools-dev: $out"

# Named in the list, or pulled in by what is named (cmake-data comes with cmake): passes.
list cmake ninja-build qt6-tools-dev
cache 'CMAKE_MAKE_PROGRAM:FILEPATH=/usr/bin/ninja' \
      'Qt6LinguistTools_DIR:PATH=/usr/lib/x86_64-linux-gnu/cmake/Qt6LinguistTools' \
      'CMAKE_ROOT_FILE:FILEPATH=/usr/share/cmake-3.25/Modules/CPack.cmake'
out=$(run) || fail "failed with every package in the list: $out"

# A program found under a name that no package ships (the compiler, through the alternatives
# system) counts by the file it leads to: g++-12 comes with g++, not with cmake.
cache 'CMAKE_CXX_COMPILER:FILEPATH=/usr/bin/c++'
list cmake
out=$(run) && fail "passed with the compiler's package missing from the list: $out"
grep -q 'g++' <<<"$out" || fail "the failure does not name the compiler's package: $out"
list g++
out=$(run) || fail "failed although g++ brings the compiler: $out"

# A program the tests run that configure did not find.
cache 'VELDRAN_PROGRAM_no-such-tool:FILEPATH=VELDRAN_PROGRAM_no-such-tool-NOTFOUND'
out=$(run) && fail "passed with a test program missing: $out"
grep -q 'no-such-tool' <<<"$out" || fail "the failure does not name the program: $out"
echo "check-deps ok"
