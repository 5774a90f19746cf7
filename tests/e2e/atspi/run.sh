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

skip() {
    echo "SKIPPED: $* (scripts/setup.sh installs it)"
    exit 77
}
# The system's Python, which the Debian package of pyatspi is for.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
for tool in Xvfb dbus-run-session "$python" timeout; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] || skip "at-spi-bus-launcher is not installed (at-spi2-core)"
"$python" -c 'import pyatspi' 2>/dev/null || skip "pyatspi is not installed (python3-pyatspi)"
compgen -G '/usr/lib/*/qt6/plugins/platforms/libqxcb.so' >/dev/null || skip "Qt's X platform is not installed (qt6-qpa-plugins)"

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

# A screen of its own: Xvfb picks a free display number and writes it.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(cat "$work/display")"

"$launcher" --launch-immediately 2>"$work/launcher.log" &
pids+=($!)

# The client on a loopback address of its own, so no other simulator on
# the default port answers it; a copy keeps its settings file out of the build.
address="127.$((RANDOM % 200 + 20)).$((RANDOM % 250 + 1)).$((RANDOM % 250 + 1))"
cp "$dalvimo" "$work/dalvimo"
printf '[General]\r\nClockIP_1=%s\r\nSelectIPNum=1\r\nAutoPing=1\r\nFrameSelect=1\r\n' "$address" >"$work/dalvimo.cfg"
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 ASAN_OPTIONS=detect_leaks=0 \
    "$work/dalvimo" >"$work/dalvimo.log" 2>&1 &
pids+=($!)

status=0
timeout 120 "$python" "$here/read_tree.py" --sim "$sim" --bind "$address" "$@" || status=$?
if [ "$status" -ne 0 ]; then
    echo "--- dalvimo output"; tail -n 30 "$work/dalvimo.log"
    echo "--- at-spi-bus-launcher output"; tail -n 30 "$work/launcher.log"
fi
exit "$status"
