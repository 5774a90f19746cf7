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
# the simulator, wait:SECONDS, wide to show the debug strip; see speech_check.py). DALVIMO_ORCA_LOG=FILE
# keeps a copy of Orca's log. Exits 77 (skipped) only when a tool is
# missing; every step is bounded.
set -euo pipefail

dalvimo=$1
sim=$2
shift 2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

skip() {
    echo "SKIPPED: $* (scripts/setup.sh installs it)"
    exit 77
}
# The system's Python, which Orca and pyatspi are installed for.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
for tool in Xvfb dbus-run-session openbox xdotool "$python" timeout; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] || skip "at-spi-bus-launcher is not installed (at-spi2-core)"
"$python" -c 'import orca.settings, pyatspi' 2>/dev/null || skip "Orca is not installed (orca)"
compgen -G '/usr/lib/*/qt6/plugins/platforms/libqxcb.so' >/dev/null || skip "Qt's X platform is not installed (qt6-qpa-plugins)"

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

# A screen of its own, on a display number far from the ones programs
# assume (:0, :99), so that nothing else connects to it and our clients to
# nothing else.
display=
for _ in $(seq 20); do
    n=$((RANDOM % 700 + 200))
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp 2>"$work/xvfb.log" &
    xvfb=$!
    for _ in $(seq 100); do
        [ -S "/tmp/.X11-unix/X$n" ] && break
        kill -0 "$xvfb" 2>/dev/null || break
        sleep 0.1
    done
    if [ -S "/tmp/.X11-unix/X$n" ] && kill -0 "$xvfb" 2>/dev/null; then
        pids+=("$xvfb")
        display=":$n"
        break
    fi
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
done
[ -n "$display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=$display

"$launcher" --launch-immediately 2>"$work/launcher.log" &
pids+=($!)

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
LANG=C.UTF-8 LANGUAGE= "$python" "$here/start_orca.py" "$work/orca" "$work/orca.log" >"$work/orca.out" 2>&1 &
orca=$!
pids+=($orca)
for _ in $(seq 300); do
    grep -qs 'Starting ATSPI registry' "$work/orca.log" && break
    kill -0 "$orca" 2>/dev/null || break
    sleep 0.1
done
grep -qs 'Starting ATSPI registry' "$work/orca.log" || { echo "Orca did not start"; cat "$work/orca.out"; exit 1; }

# The client on a loopback address of its own, so no other simulator on
# the default port answers it; a copy keeps its settings file out of the
# build. It starts on the "Будильники" page, polling.
address="127.$((RANDOM % 200 + 20)).$((RANDOM % 250 + 1)).$((RANDOM % 250 + 1))"
cp "$dalvimo" "$work/dalvimo"
printf '[General]\r\nClockIP_1=%s\r\nSelectIPNum=1\r\nAutoPing=1\r\nAutoActiveSet=1\r\nFrameSelect=1\r\n' \
    "$address" >"$work/dalvimo.cfg"

QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 ASAN_OPTIONS=detect_leaks=0 \
    "$work/dalvimo" >"$work/dalvimo.log" 2>&1 &
client=$!
pids+=("$client")

status=0
timeout 240 "$python" "$here/speech_check.py" --log "$work/orca.log" --sim "$sim" --bind "$address" \
    --pid "$client" "$@" || status=$?
if [ -n "${DALVIMO_ORCA_LOG:-}" ]; then
    cp "$work/orca.log" "$DALVIMO_ORCA_LOG"
fi
if [ "$status" -ne 0 ]; then
    for log in dalvimo.log orca.out openbox.log launcher.log; do
        [ -s "$work/$log" ] && { echo "--- $log"; tail -n 20 "$work/$log"; }
    done
fi
exit "$status"
