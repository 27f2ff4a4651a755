#!/usr/bin/env bash
# Takes the documentation screenshots under Xvfb:
# - main-window.png: a 5,000-sample capture at the 1023-sample window on a 1920x1080 screen, with
#   X and Y on four-digit samples, a clock period of 500 microsec and the value field whole;
# - main-window-scale2.png: the same on a 2560x1440 screen at QT_SCALE_FACTOR=2;
# - cursors.png: a 500-sample capture, Contract pressed once, Y typed in and X set by a click;
# - main-window-en.png and options-en.png: the English face (VELDRAN_LANG=en), the main window as
#   main-window.png with the VELDRAN menu open, and the options dialog with its clock periods.
# Needs xvfb, xdotool and imagemagick. Usage: scripts/screenshots.sh <build-dir> [output folder]
# The clicks go to places of the form as these screens and fonts put them; after a change of the
# form's layout, check the pictures.
set -euo pipefail
build=$(realpath "${1:?usage: scripts/screenshots.sh <build-dir> [output folder]}")
out=$(realpath "${2:-docs}")
tmp=$(mktemp -d)
display=${SCREENSHOT_DISPLAY:-:97}   # another free display if :97 is taken
xvfb=
app=
lang=ko                                   # the program's language
menu_key=alt+m                            # the VELDRAN menu's key in that language
trap 'kill $app $xvfb 2>/dev/null || true; rm -rf "$tmp"' EXIT
export DISPLAY=$display

# start <screen WxH> <scale factor> <capture>: a fresh X server and the program on it.
start() {
  Xvfb "$display" -screen 0 "${1}x24" >/dev/null 2>&1 &
  xvfb=$!
  # A loaded machine may take more than a second to bring the server up.
  for _ in $(seq 50); do
    xdotool getmouselocation >/dev/null 2>&1 && break
    sleep 0.2
  done
  # No serial port is needed for the pictures.
  VELDRAN_LANG=$lang QT_SCALE_FACTOR=$2 VELDRAN_COM1=/nonexistent "$build/app/veldran" "$3" >/dev/null 2>&1 &
  app=$!
  sleep 5                                 # the splash closes after three seconds
  xdotool key Return                      # the port message
  sleep 0.5
  local height=${1#*x}
  xdotool mousemove 400 $((height - 5)) click 1   # the status bar: the window takes the keys
  sleep 0.3
}

stop() {
  kill "$app" "$xvfb" 2>/dev/null || true
  wait "$app" "$xvfb" 2>/dev/null || true
  app=
  xvfb=
}

# contract <times>: VELDRAN > Contract from the keyboard.
contract() {
  for _ in $(seq "$1"); do
    xdotool key "$menu_key"
    sleep 0.3
    xdotool key c
    sleep 0.3
  done
}

# open_clock_list: Options, its clock-period list dropped down; X, Y, WIDTH and HEIGHT are then the
# dialog's place.
open_clock_list() {
  xdotool key "$menu_key"
  sleep 0.3
  xdotool key o
  sleep 1
  local dialog
  dialog=$(xdotool search --onlyvisible --pid "$app" | tail -1)
  eval "$(xdotool getwindowgeometry --shell "$dialog")"
  # The clock-period list sits at a quarter of the dialog's width, two fifths of its height.
  xdotool mousemove $((X + WIDTH * 253 / 1000)) $((Y + HEIGHT * 39 / 100)) click 1
  sleep 0.5
}

# clock_period <rows down from OFF>: Options, the clock-period list, OK.
clock_period() {
  open_clock_list
  pick_clock_row "$1"
}

# pick_clock_row <rows down from OFF>: in the dropped list, then OK.
pick_clock_row() {
  for _ in $(seq "$1"); do
    xdotool key Down
    sleep 0.1
  done
  xdotool key Return                      # the list
  sleep 0.3
  xdotool key Return                      # OK
  sleep 0.5
}

# type_into <x> <y> <text>: replaces the text of the box at x, y.
type_into() {
  xdotool mousemove "$1" "$2" click 1 key ctrl+a type "$3"
  sleep 0.5
}

"$(dirname "$0")/make-demo-capture.py" "$tmp/long.vxr" 5000
"$(dirname "$0")/make-demo-capture.py" "$tmp/demo.vxr" 500

# The main window: 1920x1080, scale factor 1.
start 1920x1080 1 "$tmp/long.vxr"
contract 3
clock_period 8                            # 500 microsec
type_into 82 989 3456                     # X-pos
type_into 175 989 3012                    # Y-pos
import -window root "$out/main-window.png"
stop

# The same at scale factor 2 on a 2560x1440 screen.
start 2560x1440 2 "$tmp/long.vxr"
contract 3
clock_period 8
type_into 163 1275 3456
type_into 350 1275 3012
import -window root "$out/main-window-scale2.png"
stop

# The cursors: 1920x1080, Contract once, Y typed, X by clicking the diagram.
start 1920x1080 1 "$tmp/demo.vxr"
contract 1
type_into 175 989 20
xdotool mousemove 1100 300 click 1
sleep 0.8
import -window root "$out/cursors.png"
stop

# The English face: the options dialog with its clock periods, then the main window as above with
# the VELDRAN menu open.
lang=en
menu_key=alt+v
start 1920x1080 1 "$tmp/long.vxr"
contract 3
open_clock_list
import -window root -crop "$((WIDTH + 20))x$((HEIGHT + 480))+$((X - 10))+$((Y - 10))" "$out/options-en.png"
pick_clock_row 8                          # 500 µs
type_into 82 989 3456
type_into 178 989 3012
xdotool key "$menu_key"
sleep 0.5
xdotool key Down Down Down Down Down      # Options...: its prompt in the status bar
sleep 0.5
import -window root "$out/main-window-en.png"
xdotool key Escape
stop
