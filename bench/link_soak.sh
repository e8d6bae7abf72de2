#!/usr/bin/env bash
# Soak of the radio link: many transfers with the r605 command against `r605 sim` on a
# pseudo-terminal with faults injected (dropped, corrupted, short, late and garbage replies), half
# reads and half writes, each with its own seed. Every transfer must either succeed with identical
# data or fail with its message; none may report success with wrong data, hang or crash.
#   bench/link_soak.sh [BIN_DIR] [TRANSFERS] [FAULTS] [RETRIES]
# A read is identical when the blocks a write of what was read would send equal those of the
# codeplug the radio holds; a write when the radio holds every block encode-all marked.
set -uo pipefail
bin=${1:-build/release/bin}
count=${2:-200}
faults=${3:-drop=0.005,corrupt=0.005,short=0.005,late=0.002,garbage=0.005}
retries=${4:-3}
work=$(mktemp -d)
# A copy of the program, so that a rebuild while the soak runs cannot disturb it. The daily trace
# goes to the copy's folder and is removed with it.
cp "$bin/r605" "$work/r605" && cp -r "$bin/language" "$work/language" || exit 1
r605="$work/r605"
sim_pid=
cleanup() {
    if [ -n "$sim_pid" ]; then kill -KILL "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

# The codeplug of the soak: the new codeplug with a radio ID, a zone and some contacts.
{
    printf '{"format": "r605-codeplug", "version": 1,\n "header": {"ModelFamily": "R600MK", "BandCode": 0, "DataVersion": "V110"},\n'
    printf ' "Person": [{"Number": 1, "Used": 1, "Id": 4600001, "Name": "Soak"}],\n'
    printf ' "Zone": [{"Number": 1, "Used": 1, "Count": 2, "Members": [0, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1], "Name": "Zone 1"}],\n'
    printf ' "Contact": ['
    for n in $(seq 1 100); do
        [ "$n" -gt 1 ] && printf ','
        printf '{"Number": %d, "Used": 1, "CallType": 1, "Name": "Contact %d", "Id": %d}' "$n" "$n" "$((1000 + n))"
    done
    printf ']}\n'
} > "$work/soak.json"
"$r605" build "$work/soak.json" -o "$work/soak.rdt" > /dev/null || exit 1
"$r605" image "$work/soak.rdt" -o "$work/expected.hex" > /dev/null || exit 1
sort "$work/expected.hex" > "$work/expected.sorted"
# Writes go to a radio that holds nothing; it saves the blocks that hold a byte other than 0, so
# afterwards it must hold exactly the written blocks that are not all 0.
grep -v ': 00000000000000000000000000000000$' "$work/expected.sorted" > "$work/expected.nonzero"
: > "$work/empty.hex"

start_sim() {
    rm -f "$work/sim.out"
    "$r605" sim --pty "$work/radio" "$@" > "$work/sim.out" 2> "$work/sim.err" &
    sim_pid=$!
    for _ in $(seq 100); do [ -s "$work/sim.out" ] && return 0; sleep 0.1; done
    return 1
}
stop_sim() { # the simulator must end by itself on SIGTERM
    kill -TERM "$sim_pid" 2>/dev/null
    local rc=0
    wait "$sim_pid" || rc=$?
    sim_pid=
    return $rc
}

report_no_start() { # the simulator did not come up: counted with the crashes
    crashed=$((crashed + 1))
    printf '%3d %-5s seed %3d: %-13s (the simulator did not start)\n' "$i" "$kind" "$i" crashed
}

succeeded=0; failed=0; false_success=0; hung=0; crashed=0
started=$(date +%s)
for i in $(seq 1 "$count"); do
    rm -f "$work/out.rdt" "$work/radio.hex"
    if [ $((i % 2)) -eq 1 ]; then
        kind=read
        start_sim --load "$work/soak.rdt" --faults "$faults" --seed "$i" || { report_no_start; continue; }
        timeout 300 "$r605" --language en read --port "$work/radio" -o "$work/out.rdt" --retries "$retries" \
            > "$work/r605.out" 2> "$work/r605.err"
        rc=$?
    else
        kind=write
        start_sim --load "$work/empty.hex" --faults "$faults" --seed "$i" --save "$work/radio.hex" ||
            { report_no_start; continue; }
        timeout 300 "$r605" --language en write "$work/soak.rdt" --port "$work/radio" --retries "$retries" \
            > "$work/r605.out" 2> "$work/r605.err"
        rc=$?
    fi
    stop_sim; sim_rc=$?
    outcome=
    case $rc in
        0)
            if [ $kind = read ]; then
                "$r605" image "$work/out.rdt" -o "$work/got.hex" > /dev/null 2>&1 &&
                    cmp -s <(sort "$work/got.hex") "$work/expected.sorted" && outcome=ok
            else
                [ -f "$work/radio.hex" ] &&
                    cmp -s <(sort "$work/radio.hex") "$work/expected.nonzero" && outcome=ok
            fi
            [ -n "$outcome" ] || outcome=false-success ;;
        1) if grep -q "failed!\|Cannot open" "$work/r605.err"; then outcome=failed; else outcome=crashed; fi ;;
        124) outcome=hung ;;
        *) outcome=crashed ;;
    esac
    [ "$sim_rc" -eq 0 ] || outcome=crashed
    case $outcome in
        ok) succeeded=$((succeeded + 1)) ;;
        failed) failed=$((failed + 1)) ;;
        false-success) false_success=$((false_success + 1)) ;;
        hung) hung=$((hung + 1)) ;;
        crashed) crashed=$((crashed + 1)) ;;
    esac
    disturbed=$(sed -nE 's/.* ([0-9]+) replies disturbed/\1/p' "$work/sim.err")
    printf '%3d %-5s seed %3d: %-13s (%s replies disturbed)\n' "$i" "$kind" "$i" "$outcome" "${disturbed:-?}"
    if [ "$outcome" = false-success ] || [ "$outcome" = crashed ]; then
        cp "$work/r605.err" "/tmp/link-soak-$i.err"
        [ -f "$work/out.rdt" ] && cp "$work/out.rdt" "/tmp/link-soak-$i.rdt"
    fi
done
elapsed=$(( $(date +%s) - started ))
echo
echo "soak: $count transfers with faults $faults, --retries $retries, in ${elapsed} s"
echo "  succeeded with identical data: $succeeded"
echo "  failed cleanly with a message: $failed"
echo "  reported success with wrong data: $false_success"
echo "  hung: $hung"
echo "  crashed: $crashed"
[ $false_success -eq 0 ] && [ $hung -eq 0 ] && [ $crashed -eq 0 ]
