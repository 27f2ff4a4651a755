#!/bin/sh
# "veldran --version" prints one whole line: the version, then a line feed.
# Usage: version_test.sh <path of veldran>
set -eu
out=$("$1" --version | od -An -tx1 | tr -d ' \n')
case "$out" in
  *0a) ;;
  *) echo "no line feed at the end: $out"; exit 1 ;;
esac
"$1" --version | grep -qx 'VELDRAN [0-9.]*'
[ "$("$1" --version | wc -l)" -eq 1 ]
