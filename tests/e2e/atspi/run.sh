#!/usr/bin/env bash
# The running window read through the desktop's accessibility bus (AT-SPI),
# the way the Orca screen reader reads it: a virtual screen, a private
# session bus with the accessibility bus on it, Dalvimo on the X platform,
# and read_tree.py, which checks the named controls and their roles and
# hears the indicator and the result line change when the simulator starts
# answering.
#
#   run.sh <dalvimo> <quorvan-sim> [--dump]
#
# Exits 77 (skipped) only when a tool is missing; every step is bounded.
set -euo pipefail

dalvimo=$1
sim=$2
shift 2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# shellcheck source-path=SCRIPTDIR source=../desktop.sh
source "$here/../desktop.sh"
desktop_require

if [ "${DALVIMO_IN_SESSION:-}" != 1 ]; then
    # A session bus of our own, gone with this script.
    DALVIMO_IN_SESSION=1 exec timeout 150 dbus-run-session -- "$0" "$dalvimo" "$sim" "$@"
fi

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

desktop_screen "$work"
desktop_client "$dalvimo" "$work" FrameSelect=1

status=0
timeout 120 "$python" "$here/read_tree.py" --sim "$sim" --bind "$address" "$@" || status=$?
if [ "$status" -ne 0 ]; then
    echo "--- dalvimo output"; tail -n 30 "$work/dalvimo.log"
    echo "--- at-spi-bus-launcher output"; tail -n 30 "$work/launcher.log"
    echo "--- Xvfb output"; tail -n 30 "$work/xvfb.log"
fi
exit "$status"
