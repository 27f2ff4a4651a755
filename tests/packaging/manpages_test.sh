#!/usr/bin/env bash
# Each program's manual page: man formats it without a warning, --help prints the very text the page
# was made from, and every option the program's argument parser knows is named in the page.
# Usage: manpages_test.sh <build dir> <source dir>
set -euo pipefail
build=${1:?usage: manpages_test.sh <build dir> <source dir>}
src=${2:?usage: manpages_test.sh <build dir> <source dir>}
fail() { echo "FAIL: $*" >&2; exit 1; }

# check PROGRAM BINARY OPTIONS...
check() {
  local program=$1 binary=$2 page=$build/generated/man/$1.1
  shift 2
  [ -f "$page" ] || fail "no manual page $page"
  local warnings
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man --warnings on $program.1: $warnings"
  diff <("$binary" --help) "$src/packaging/man/$program.help" >/dev/null || fail "$program --help is not the text of its page"
  local words
  words=$(LC_ALL=C MANWIDTH=1000 man -l "$page" 2>/dev/null | col -b | tr -s ' \t,[]|=()' '\n')
  for option in "$@"; do
    grep -qxF -- "$option" <<<"$words" || fail "$program accepts $option, which its manual page does not name"
  done
  echo "$program: $# options named"
}

# The options as each parser spells them.
quoted_options() { grep -ohE '"--?[A-Za-z][A-Za-z0-9-]*"' "$@" | tr -d '"' | sort -u; }
# The window's parser takes a switch with one dash or two; the page names one of the two.
veldran_options() {
  local name
  for name in $(grep -ohE 'name == "[^"]+"' "$src/app/CommandLine.cpp" | sed 's/.*"\(.*\)"/\1/' | sort -u); do
    if LC_ALL=C MANWIDTH=1000 man -l "$build/generated/man/veldran.1" 2>/dev/null | col -b |
       tr -s ' \t,[]|=()' '\n' | grep -qxF -- "--$name"; then
      echo "--$name"
    else
      echo "-$name"
    fi
  done
}

check veldran "$build/app/veldran" $(veldran_options)
check veldran-capture "$build/capture/veldran-capture" $(quoted_options "$src/capture/CaptureOptions.cpp")
check veldran-convert "$build/convert/veldran-convert" $(quoted_options "$src/convert/ConvertArguments.cpp")
check veldran-analyze "$build/analyze/veldran-analyze" $(quoted_options "$src/analyze/AnalyzeArguments.cpp")
check veldran-sim "$build/sim/veldran-sim" $(quoted_options "$src/sim/main.cpp")
