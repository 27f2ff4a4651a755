#!/usr/bin/env bash
# What receiving a listing costs the whole program on an X display. The simulator hands the listing
# over at 9600 baud one byte at a time (a byte every 1.04 ms, as a UART delivers them); the program
# runs in its window on Xvfb, LOAD pressed through the menu as a user would; the processor time of
# all its threads over a stretch of the transfer is read from /proc. Interleaved, in the same run,
# with the floor: the same bytes read by a plain blocking reader on a raw line.
#
# Usage: bench/reception_x_display.sh SIM PROGRAM [PROGRAM...]
#   SIM      a veldran-sim that knows --byte-by-byte
#   PROGRAM  veldran binaries to compare (for example the build of main and of an older commit)
# Environment: RUNS (default 3), LINES (default 500), WINDOW seconds measured (default 20).
# Needs Xvfb and xdotool. Prints each run and the medians, in percent of one core.
set -euo pipefail
sim=$(realpath "${1:?usage: reception_x_display.sh SIM PROGRAM [PROGRAM...]}")
shift
programs=()
for program in "$@"; do programs+=("$(realpath "$program")"); done
[[ ${#programs[@]} -gt 0 ]] || { echo "no program given" >&2; exit 2; }
runs=${RUNS:-3}
lines=${LINES:-500}
window=${WINDOW:-20}
start_delay_ms=5000 # from the line's opening to the first byte: the window is up and LOAD pressed
measure_from=7      # seconds after the program's start: the transfer is under way

tmp=$(mktemp -d)
display=${BENCH_DISPLAY:-:93}
xvfb=
children=()
cleanup() {
    for pid in "${children[@]}" $xvfb; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$tmp"
}
trap cleanup EXIT
export DISPLAY=$display
Xvfb "$display" -screen 0 1920x1080x24 >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.2; done

# Processor time of every thread of a process, in nanoseconds.
cpu_ns() {
    local sum=0 task ns
    for task in /proc/"$1"/task/*/schedstat; do
        read -r ns _ < "$task" 2>/dev/null || continue
        sum=$((sum + ns))
    done
    echo "$sum"
}

# start_sim: a simulator waiting for its line to be opened; sets $sim_pid and $device.
start_sim() {
    coproc SIM { "$sim" --once --wait-open --delay "$start_delay_ms" --baud 9600 --byte-by-byte --lines "$lines"; }
    sim_pid=$SIM_PID
    children+=("$sim_pid")
    read -r device <&"${SIM[0]}"
}

# measure PID: percent of one core over the window, from $measure_from s after $started.
measure() {
    local pid=$1 before after now
    now=$(date +%s.%N)
    sleep "$(awk -v s="$started" -v n="$now" -v f="$measure_from" 'BEGIN { d = s + f - n; print (d > 0 ? d : 0) }')"
    before=$(cpu_ns "$pid")
    sleep "$window"
    after=$(cpu_ns "$pid")
    awk -v b="$before" -v a="$after" -v w="$window" 'BEGIN { printf "%.3f", (a - b) / (w * 1e9) * 100 }'
}

run_program() {
    local program=$1 pid result
    start_sim
    started=$(date +%s.%N)
    XDG_CONFIG_HOME=$tmp VELDRAN_COM1=$device "$program" --automation >/dev/null 2>&1 &
    pid=$!
    children+=("$pid")
    sleep 3
    # The window takes the keys once clicked; then VELDRAN > Load.
    xdotool mousemove 600 1070 click 1
    sleep 0.3
    xdotool key alt+m
    sleep 0.3
    xdotool key l
    result=$(measure "$pid")
    wait "$sim_pid" || result="$result (the simulator failed)"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo "$result"
}

run_floor() {
    local pid result
    start_sim
    started=$(date +%s.%N)
    stty -F "$device" raw -echo
    cat "$device" > /dev/null 2>&1 &
    pid=$!
    children+=("$pid")
    result=$(measure "$pid")
    wait "$sim_pid" || true
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo "$result"
}

declare -A figures
for run in $(seq "$runs"); do
    figures[floor]+="$(run_floor) "
    for program in "${programs[@]}"; do
        figures[$program]+="$(run_program "$program") "
    done
    echo "run $run: floor ${figures[floor]##* }" >&2
done

median() { tr ' ' '\n' | grep -v '^$' | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
echo "reception at 9600 baud, one byte every 1.04 ms, Xvfb, $lines lines, ${window} s measured, $runs runs interleaved"
printf '  %-60s %s %%  (runs: %s)\n' "raw read (cat on a raw line)" "$(echo "${figures[floor]}" | median)" "${figures[floor]}"
for program in "${programs[@]}"; do
    printf '  %-60s %s %%  (runs: %s)\n' "$program" "$(echo "${figures[$program]}" | median)" "${figures[$program]}"
done
