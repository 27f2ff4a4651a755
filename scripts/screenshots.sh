#!/usr/bin/env bash
# Takes the documentation screenshots under Xvfb: the main window with a demonstration capture,
# the same window with both cursors placed, Contract pressed once and the Y cursor typed in, and
# the English face (VELDRAN_LANG=en): the main window and the options dialog.
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

# The English face: the options dialog with its clock-period list open, then the main window with
# a clock period chosen, the X cursor placed and the VELDRAN menu open. Port messages come up first
# when the port cannot be opened; Return closes them.
kill $app 2>/dev/null || true
wait $app 2>/dev/null || true
VELDRAN_LANG=en VELDRAN_COM1=/nonexistent "$build/app/veldran" "$tmp/demo.vxr" >/dev/null 2>&1 &
app=$!
sleep 5
xdotool key Return
sleep 0.5
xdotool mousemove 563 951 click 1         # OPTIONS...
sleep 1
eval "$(xdotool getwindowgeometry --shell "$(xdotool search --name '^Options$' | head -1)")"
xdotool mousemove $((X + 89)) $((Y + 64)) click 1    # the clock-period list
sleep 0.7
import -window root -crop "${WIDTH}x$((HEIGHT + 420))+$X+$Y" "$out/options-en.png"
xdotool mousemove $((X + 54)) $((Y + 249)) click 1   # 500 µs
sleep 0.3
xdotool mousemove $((X + 91)) $((Y + 135)) click 1    # OK
sleep 0.5
xdotool mousemove 900 300 click 1         # X cursor
sleep 0.3
xdotool mousemove 72 8 click 1            # the VELDRAN menu
sleep 0.5
xdotool mousemove 100 139                 # Options...: its prompt in the status bar
sleep 0.5
import -window root "$out/main-window-en.png"
