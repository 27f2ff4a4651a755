#!/usr/bin/env bash
# Takes the documentation screenshots of an exported capture under Xvfb: the demonstration capture
# converted with veldran-convert to a VCD opened in GTKWave through the save file written beside it,
# and to a sigrok session opened in PulseView. Needs xvfb, gtkwave, pulseview and imagemagick.
# Usage: scripts/export-screenshot.sh <build-dir> [output folder]
set -euo pipefail
build=${1:?usage: scripts/export-screenshot.sh <build-dir> [output folder]}
out=${2:-docs}
tmp=$(mktemp -d)
display=:96
Xvfb "$display" -screen 0 1400x900x24 >/dev/null 2>&1 &
xvfb=$!
viewer=
trap 'kill $viewer $xvfb 2>/dev/null || true; rm -rf "$tmp"' EXIT
export DISPLAY=$display
sleep 1
"$(dirname "$0")/make-demo-capture.py" "$tmp/demo.vxr" 200
"$build/convert/veldran-convert" "$tmp/demo.vxr" "$tmp/demo.vcd" --clock 1us
"$build/convert/veldran-convert" "$tmp/demo.vxr" "$tmp/demo.sr" --clock 1us
HOME=$tmp gtkwave "$tmp/demo.gtkw" >/dev/null 2>&1 &
viewer=$!
sleep 4
import -window root "$out/export-gtkwave.png"
kill $viewer
HOME=$tmp pulseview "$tmp/demo.sr" >/dev/null 2>&1 &
viewer=$!
sleep 8
import -window root -crop 1000x720+0+0 +repage "$out/export-pulseview.png"
