#!/bin/sh
# "veldran --version" prints one whole line: the version, then a line feed; a wrong argument gets
# a message and exit status 2 without a display.
# Usage: version_test.sh <path of veldran>
set -eu
out=$("$1" --version | od -An -tx1 | tr -d ' \n')
case "$out" in
  *0a) ;;
  *) echo "no line feed at the end: $out"; exit 1 ;;
esac
"$1" --version | grep -qx 'VELDRAN [0-9.]*'
[ "$("$1" --version | wc -l)" -eq 1 ]
# A wrong argument is answered before any window exists: no display is needed for it either.
set +e
err=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$1" --no-such-switch 2>&1 >/dev/null)
status=$?
set -e
[ "$status" -eq 2 ] || { echo "a wrong argument exits $status: $err"; exit 1; }
echo "$err" | grep -q "^veldran: unknown argument --no-such-switch" || { echo "no message: $err"; exit 1; }
echo "$err" | grep -q -- "--help" || { echo "no pointer to --help: $err"; exit 1; }
