#!/usr/bin/env bash
# What the Orca screen reader says while a keyboard user works the window:
# a virtual screen with a window manager (Orca follows the focused window),
# a private session bus with the accessibility bus on it, the real Orca
# writing everything it would speak to its debug log (it runs without a
# speech server, so it needs no sound device), Dalvimo beside the Quorvan
# simulator, and speech_check.py, which presses keys with xdotool and reads
# the log.
#
#   run.sh <dalvimo> <quorvan-sim> [STEP...]
#
# With steps, prints what Orca says at each instead of checking (a key for
# xdotool such as ctrl+2, to:NAME to Tab to a control, stop and start for
# the simulator, wait:SECONDS, wide to show the debug strip; see
# speech_check.py). DALVIMO_ORCA_LOG=FILE keeps a copy of Orca's log.
# Exits 77 (skipped) only when a tool is missing; every step is bounded.
set -euo pipefail

dalvimo=$1
sim=$2
shift 2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# shellcheck source-path=SCRIPTDIR source=../desktop.sh
source "$here/../desktop.sh"
desktop_require openbox xdotool
"$python" -c 'import orca.settings' 2>/dev/null || desktop_skip "Orca is not installed (orca)"

if [ "${DALVIMO_IN_SESSION:-}" != 1 ]; then
    # A home of our own before the session bus starts: the services it
    # starts (dconf, where Orca's switching accessibility on is stored)
    # write there, not into the user's settings.
    work=$(mktemp -d)
    mkdir -p "$work/home" "$work/run"
    chmod 700 "$work/run"
    export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share \
        XDG_CACHE_HOME=$work/home/.cache XDG_RUNTIME_DIR=$work/run DALVIMO_WORK=$work
    status=0
    DALVIMO_IN_SESSION=1 timeout 280 dbus-run-session -- "$0" "$dalvimo" "$sim" "$@" || status=$?
    rm -rf "$work"
    exit "$status"
fi

work=$DALVIMO_WORK
pids=()
cleanup() {
    # Last started, first stopped: Orca and the client before their buses.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
    wait 2>/dev/null || true
}
trap cleanup EXIT

desktop_screen "$work"

# The window manager is up once it answers which desktop is current; it
# has been seen to give up on a display that was just opened, so it gets
# three tries.
wm_up() {
    for _ in $(seq 50); do
        xdotool get_desktop >/dev/null 2>&1 && return 0
        kill -0 "$1" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}
for try in 1 2 3; do
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    wm=$!
    wm_up "$wm" && break
    kill "$wm" 2>/dev/null || true
    wait "$wm" 2>/dev/null || true
    [ "$try" -lt 3 ] || { echo "openbox did not start"; cat "$work/openbox.log"; exit 1; }
done
pids+=("$wm")

# Orca with a preferences folder of its own; its customizations turn the
# speech server, braille and sounds off, so each utterance is only logged.
mkdir -p "$work/orca"
cp "$here/orca-customizations.py" "$work/orca/"
LANG=C.UTF-8 LANGUAGE="" "$python" "$here/start_orca.py" "$work/orca" "$work/orca.log" >"$work/orca.out" 2>&1 &
orca=$!
pids+=("$orca")
for _ in $(seq 300); do
    grep -qs 'Starting ATSPI registry' "$work/orca.log" && break
    kill -0 "$orca" 2>/dev/null || break
    sleep 0.1
done
grep -qs 'Starting ATSPI registry' "$work/orca.log" || { echo "Orca did not start"; cat "$work/orca.out"; exit 1; }

# The client starts on the "Будильники" page, polling.
desktop_client "$dalvimo" "$work" AutoActiveSet=1 FrameSelect=1

status=0
timeout 240 "$python" "$here/speech_check.py" --log "$work/orca.log" --sim "$sim" --bind "$address" \
    --pid "$client" "$@" || status=$?
if [ -n "${DALVIMO_ORCA_LOG:-}" ]; then
    cp "$work/orca.log" "$DALVIMO_ORCA_LOG"
fi
if [ "$status" -ne 0 ]; then
    for log in dalvimo.log orca.out openbox.log launcher.log xvfb.log; do
        [ -s "$work/$log" ] && { echo "--- $log"; tail -n 20 "$work/$log"; }
    done
fi
exit "$status"
