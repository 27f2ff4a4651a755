#!/usr/bin/env bash
# Demonstration without an instrument: the simulator takes the instrument's place on a
# pseudo-terminal and the application opens that as COM1.
#   scripts/demo.sh <build-dir> [application arguments...]
# Press Enter in this terminal to send a STATE listing (first choose "Load From VXR" in the
# application); Ctrl-D ends the simulator and the application.
set -euo pipefail

build=${1:?usage: scripts/demo.sh <build-dir> [application arguments...]}
shift
sim="$build/sim/veldran-sim"
app="$build/app/veldran"
[ -x "$sim" ] || { echo "demo: $sim not found; build first" >&2; exit 1; }

tmp=$(mktemp -d)
sim_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The simulator reads Enter from this terminal; its first line of output is the device to open.
mkfifo "$tmp/path"
exec 3<&0
"$sim" ${VELDRAN_SIM_ARGS:-} <&3 >"$tmp/path" &
sim_pid=$!
exec 3<&-
exec 4<"$tmp/path"
if ! read -r slave <&4; then
  echo "demo: the simulator did not start" >&2
  exit 1
fi
echo "demo: simulated instrument on $slave (COM1)"

if [ -x "$app" ]; then
  VELDRAN_COM1="$slave" "$app" "$@" &
  app_pid=$!
else
  echo "demo: $app not built; the simulator runs alone (open $slave as COM1 by hand)" >&2
fi

# Ends with whichever of the two ends first; the trap stops the other.
if [ -n "$app_pid" ]; then
  wait -n "$sim_pid" "$app_pid" || true
else
  wait "$sim_pid" || true
fi
