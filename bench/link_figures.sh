#!/usr/bin/env bash
# Figures of the radio link over a real pseudo-terminal, with the r605 and simulator processes as
# a user runs them, on the largest codeplug a radio holds (10000 contacts, about 74 000 blocks):
#   - CPU time of the r605 process per frame (user + system, whole process: start-up, transfer,
#     decoding and saving included), unpaced; target under 20 us;
#   - with the simulator paced at 921600 baud: elapsed time of the transfer against the wire time
#     of the bytes exchanged (10 bits a byte), target at most 1.4, and the program's own
#     turnaround (last byte of a reply in, next frame out) as a median.
#   bench/link_figures.sh [BIN_DIR]
set -euo pipefail
bin=${1:-build/release/bin}
r605="$bin/r605"
work=$(mktemp -d)
# The runs use a program folder of their own, so that their daily trace (every frame, a few
# megabytes a transfer) goes with it instead of growing beside the build's binaries.
cp -r "$bin/language" "$work/language"
sim_pid=
cleanup() {
    if [ -n "$sim_pid" ]; then kill -INT "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

start_sim() { # start_sim ARGS...: a simulated radio on $work/radio
    rm -f "$work/sim.out"
    "$r605" --home "$work" sim --pty "$work/radio" "$@" > "$work/sim.out" 2> "$work/sim.err" &
    sim_pid=$!
    for _ in $(seq 100); do [ -s "$work/sim.out" ] && return 0; sleep 0.1; done
    echo "the simulator did not start" >&2; exit 1
}
stop_sim() { kill -INT "$sim_pid"; wait "$sim_pid" || true; sim_pid=; }

run_timed() { # run_timed NAME ARGS...: runs r605, keeps its --stats line and its CPU time
    local name=$1; shift
    local TIMEFORMAT='%R %U %S'
    { time "$r605" --home "$work" --language en "$@" --stats > "$work/$name.out" 2> "$work/$name.err"; } 2> "$work/$name.time" ||
        { echo "r605 $*: failed" >&2; cat "$work/$name.err" >&2; exit 1; }
    grep '^stats:' "$work/$name.err" | head -1 > "$work/$name.stats" || true
}

figure() { # figure NAME: frames, CPU per frame, ratio, turnaround
    local name=$1
    read -r real user sys < "$work/$name.time"
    local frames ratio turnaround elapsed wire transfer_cpu
    frames=$(sed -E 's/^stats: frames ([0-9]+).*/\1/' "$work/$name.stats")
    elapsed=$(sed -E 's/.*elapsed ([0-9.]+) s.*/\1/' "$work/$name.stats")
    wire=$(sed -E 's/.*wire time ([0-9.]+) s.*/\1/' "$work/$name.stats")
    ratio=$(sed -E 's/.*ratio ([0-9.]+),.*/\1/' "$work/$name.stats")
    turnaround=$(sed -E 's/.*turnaround median ([0-9.]+) us.*/\1/' "$work/$name.stats")
    transfer_cpu=$(sed -E 's/.*\(([0-9.]+) us a frame\).*/\1/' "$work/$name.stats")
    awk -v n="$name" -v f="$frames" -v r="$real" -v u="$user" -v s="$sys" -v e="$elapsed" \
        -v w="$wire" -v q="$ratio" -v t="$turnaround" -v c="$transfer_cpu" 'BEGIN {
        printf "%-12s frames %6d  process %6.2f s, cpu %5.2f s = %5.1f us/frame (transfer alone %5.1f us/frame)  transfer %6.2f s, wire %6.2f s, ratio %5.3f, turnaround median %5.1f us\n",
               n, f, r, u + s, (u + s) * 1e6 / f, c, e, w, q, t }'
}

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
start_sim --sample 605
run_timed read read --port "$work/radio" -o "$work/full.json"
stop_sim
start_sim
run_timed write write "$work/full.json" --port "$work/radio"
stop_sim
start_sim --sample 605 --baud 921600
run_timed read_paced read --port "$work/radio" -o "$work/paced.json"
stop_sim
grep 'paced replies' "$work/sim.err" > "$work/read_paced.sim" || true
start_sim --baud 921600
run_timed write_paced write "$work/full.json" --port "$work/radio"
stop_sim
grep 'paced replies' "$work/sim.err" > "$work/write_paced.sim" || true
for name in read write read_paced write_paced; do figure "$name"; done
# How late the simulator itself let the paced replies go: part of the ratio that is not r605's.
for name in read_paced write_paced; do echo "$name: $(sed 's/^r605 sim: //' "$work/$name.sim")"; done
