#!/usr/bin/env bash
# veldran-capture at full speed against the window's reception and the floor, interleaved:
#   window  - bench/reception_throughput (the view's reception of the same kind of listing)
#   capture - veldran-sim --baud 0 into veldran-capture -o OUT.vxr, whole processes; the time is
#             from the press of STATE to the exit, less the 800 ms quiet interval that ends a listing
#   floor   - the same simulator into `head -c BYTES` on the raw line (a plain read, no tokens)
# and the CPU veldran-capture uses while it waits for a listing that does not come.
# The window hands the line over one byte at a time and is far slower, so it gets a tenth of the
# lines (at most 2000): its figure is a rate all the same.
# Usage: bench/capture_throughput.sh BUILD_DIR [LINES] [ROUNDS]
set -euo pipefail
build=${1:?usage: capture_throughput.sh BUILD_DIR [LINES] [ROUNDS]}
lines=${2:-20000}
rounds=${3:-5}
window_lines=$((lines / 10 < 2000 ? lines / 10 : 2000))
sim=$build/sim/veldran-sim
capture=$build/capture/veldran-capture
window=$build/bench/reception_throughput
work=$(mktemp -d)
trap 'exec 7>&- 2>/dev/null || true; kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

now() { date +%s.%N; }

# Starts the simulator with its input on a fifo (fd 7); sets $device.
start_sim() {
  rm -f "$work/in" "$work/sim.out"
  mkfifo "$work/in"
  "$sim" --lines "$lines" --pattern random --baud 0 <"$work/in" >"$work/sim.out" 2>"$work/sim.err" &
  exec 7>"$work/in"
  until [ -s "$work/sim.out" ]; do sleep 0.01; done
  device=$(head -1 "$work/sim.out")
}
stop_sim() { exec 7>&-; wait; }

bytes=$(python3 - "$lines" <<'EOF'
import sys
n = int(sys.argv[1])
header = len("STATE LISTING  VELDRAN-48\r\n") + len("SAMPLES=%05d  CLOCK=EXT  PATTERN=RANDOM\r\n" % n) \
    + len("LINE_NO  CELL_1  CELL_2  CELL_3  CELLS_4_8=OFF\r\n\r\n")
print(header + n * 57)
EOF
)

run_capture() {
  start_sim
  "$capture" --port "$device" -o "$work/out.vxr" 2>"$work/capture.err" &
  local pid=$!
  until grep -q "waiting for STATE" "$work/capture.err"; do sleep 0.01; done
  local t0; t0=$(now)
  echo >&7
  wait $pid
  local t1; t1=$(now)
  stop_sim
  grep -q "sent $bytes bytes" "$work/sim.err" || { echo "listing size differs:"; cat "$work/sim.err"; exit 1; }
  grep -q "received $lines lines, $bytes bytes" "$work/capture.err" || { echo "BYTES LOST:"; cat "$work/capture.err"; exit 1; }
  head -1 "$work/out.vxr" | grep -q "(Data Count=$(printf %05d "$lines"))" || { echo "SAMPLES LOST"; exit 1; }
  python3 -c "print($bytes / ($t1 - $t0 - 0.8))"
}

run_floor() {
  start_sim
  stty -F "$device" raw -echo
  (head -c "$bytes" "$device" >/dev/null) &
  local pid=$!
  sleep 0.2
  local t0; t0=$(now)
  echo >&7
  wait $pid
  local t1; t1=$(now)
  stop_sim
  python3 -c "print($bytes / ($t1 - $t0))"
}

run_window() {
  "$window" "$window_lines" 2>/dev/null | sed -n 's/.*: \([0-9]*\) bytes\/s.*/\1/p'
}

median() { sort -g | awk '{a[NR]=$1} END {print (NR%2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }

: >"$work/window"; : >"$work/capture"; : >"$work/floor"
for ((r = 1; r <= rounds; ++r)); do
  run_window >>"$work/window"
  run_capture >>"$work/capture"
  run_floor >>"$work/floor"
done
echo "listing: $lines lines, $bytes bytes, full speed over a pseudo-terminal; $rounds rounds, medians"
printf "window reception : %12.0f bytes/s ($window_lines lines)\n" "$(median <"$work/window")"
printf "veldran-capture  : %12.0f bytes/s (no byte lost)\n" "$(median <"$work/capture")"
printf "floor (head -c)  : %12.0f bytes/s\n" "$(median <"$work/floor")"

# Waiting: a capture that never gets a listing, for five seconds.
start_sim
"$capture" --port "$device" --quiet --timeout 5 -o "$work/idle.vxr" &
idle=$!
sleep 4
read -r -a stat <"/proc/$idle/stat"
echo "waiting 4 s for a listing: ${stat[13]} user + ${stat[14]} system clock ticks ($(getconf CLK_TCK)/s)," \
  "$(grep voluntary_ctxt_switches "/proc/$idle/status" | tr -s '\t ' ' ' | paste -sd' ')"
wait $idle || true
stop_sim
echo "load: $(uptime | sed 's/.*load average/load average/')"
