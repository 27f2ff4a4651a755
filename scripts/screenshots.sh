#!/usr/bin/env bash
# Takes the documentation screenshots under Xvfb: the main window with a demonstration capture,
# and the same window with both cursors placed, Contract pressed once and the Y cursor typed in.
# Needs xvfb, xdotool and imagemagick. Usage: scripts/screenshots.sh <build-dir> [output folder]
set -euo pipefail
build=${1:?usage: scripts/screenshots.sh <build-dir> [output folder]}
out=${2:-docs}
tmp=$(mktemp -d)
display=:97
Xvfb "$display" -screen 0 1600x1000x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true; rm -rf "$tmp"' EXIT
export DISPLAY=$display
sleep 1
"$(dirname "$0")/make-demo-capture.py" "$tmp/demo.vxr" 500
# No serial port is needed for the pictures.
VELDRAN_COM1=/nonexistent "$build/app/veldran" "$tmp/demo.vxr" >/dev/null 2>&1 &
app=$!
sleep 5                                   # the splash closes after three seconds
xdotool key Return                        # the port message, if any
sleep 0.5
import -window root "$out/main-window.png"
xdotool mousemove 158 951 click 1         # CONTRACT
sleep 0.3
xdotool mousemove 173 909 click --repeat 3 1 key ctrl+a type 20   # Y cursor
sleep 0.3
xdotool mousemove 900 300 click 1         # X cursor by clicking the diagram
sleep 0.8
import -window root "$out/cursors.png"
