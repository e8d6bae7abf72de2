#!/usr/bin/env bash
# Fleet programming over real pseudo-terminals, as a dealer runs it: `r605 fleet write` of a new
# codeplug (written and verified) into one simulated radio, then into four at once, each run timed
# from start to exit, the median of three. With the simulators paced at 921600 baud, as a radio's
# cable is, four radios together should take at most 1.2 times one; unpaced, the figure says how
# much the processes (four simulators and the four links of r605) contend for the processors,
# which a machine of two processors and other work feels.
#   bench/fleet_write.sh [BIN_DIR]
set -euo pipefail
bin=${1:-build/release/bin}
r605="$bin/r605"
work=$(mktemp -d)
# A program folder of its own, so that the daily traces go with it.
cp -r "$bin/language" "$work/language"
sim_pids=()
stop_sims() {
    for pid in "${sim_pids[@]}"; do kill -INT "$pid" 2>/dev/null || true; done
    for pid in "${sim_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    sim_pids=()
}
cleanup() { stop_sims; rm -rf "$work"; }
trap cleanup EXIT

start_sims() { # start_sims ARGS...: four simulated radios on $work/radio1 ... radio4
    for n in 1 2 3 4; do
        rm -f "$work/sim$n.out"
        "$r605" --home "$work" sim --pty "$work/radio$n" "$@" > "$work/sim$n.out" 2> "$work/sim$n.err" &
        sim_pids+=($!)
    done
    for n in 1 2 3 4; do
        for _ in $(seq 100); do [ -s "$work/sim$n.out" ] && break; sleep 0.1; done
        [ -s "$work/sim$n.out" ] || { echo "simulator $n did not start" >&2; exit 1; }
    done
}

timed_fleet() { # timed_fleet PLAN: seconds of one fleet write, the median of three runs
    local plan=$1 runs=()
    for _ in 1 2 3; do
        local start end
        start=$(date +%s.%N)
        "$r605" --home "$work" --language en fleet write "$work/base.rdt" --plan "$plan" \
            > "$work/fleet.out" 2> "$work/fleet.err" ||
            { echo "r605 fleet write failed:" >&2; cat "$work/fleet.out" "$work/fleet.err" >&2; exit 1; }
        end=$(date +%s.%N)
        runs+=("$(echo "$end - $start" | bc)")
    done
    printf '%s\n' "${runs[@]}" | sort -n | sed -n 2p
}

# A small codeplug (a radio ID, two channels in a zone), about 4200 blocks to write and verify.
cat > "$work/base.json" <<'EOF'
{"format": "r605-codeplug", "version": 1,
 "header": {"ModelFamily": "R600MK", "BandCode": 0, "DataVersion": "V110"},
 "Person": [{"Number": 1, "Used": 1, "Id": 1234567, "Name": "Base"}],
 "Zone": [{"Number": 1, "Used": 1, "Count": 2,
           "Members": [0, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1],
           "Name": "Zone 1"}]}
EOF
"$r605" --home "$work" build "$work/base.json" -o "$work/base.rdt" > /dev/null
echo "port,radio id,name" > "$work/one.csv"
echo "$work/radio1,2620001,Radio 1" >> "$work/one.csv"
cp "$work/one.csv" "$work/four.csv"
for n in 2 3 4; do echo "$work/radio$n,262000$n,Radio $n" >> "$work/four.csv"; done

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) processors"
for pacing in paced unpaced; do
    # Paced simulators wait by sleeping (--spin-us 0): polling, four of them would keep four
    # processors busy, which radios on their cables do not.
    if [ "$pacing" = paced ]; then start_sims --baud 921600 --spin-us 0; else start_sims; fi
    one=$(timed_fleet "$work/one.csv")
    four=$(timed_fleet "$work/four.csv")
    stop_sims
    awk -v p="$pacing" -v a="$one" -v b="$four" 'BEGIN {
        printf "%-8s one radio %6.2f s, four radios %6.2f s, ratio %5.2f (target at most 1.2 when paced)\n",
               p, a, b, b / a }'
done
