#!/usr/bin/env bash
# The time from starting r605cps to its window shown with a new codeplug (the program ends itself
# once the window is there: --quit-after-start), the whole process timed from outside by
# farm-bench: offscreen, and under a virtual X display when xvfb-run is there.
#   bench/window_start.sh [BIN_DIR]      (default build/release/bin)
set -euo pipefail
bin=${1:-build/release/bin}
command -v farm-bench > /dev/null || { echo "bench/window_start.sh needs farm-bench" >&2; exit 1; }
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
# A program folder whose first run is done: no first-run dialog waits for an answer.
cp -r "$bin/language" "$home/"
printf '[language]\nIsFirstRun=0\n' > "$home/language/mysetup.ini"
export XDG_RUNTIME_DIR="$home" XDG_CONFIG_HOME="$home/config"
echo "offscreen:"
QT_QPA_PLATFORM=offscreen farm-bench -n 10 -- "$bin/r605cps" --home "$home" --quit-after-start
if command -v xvfb-run > /dev/null; then
    echo "virtual X display:"
    xvfb-run -a -s "-screen 0 1400x900x24" \
        farm-bench -n 10 -- "$bin/r605cps" --home "$home" --quit-after-start
fi
