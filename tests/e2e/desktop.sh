# shellcheck shell=bash
# Sourced by the desktop tests (atspi/run.sh, orca/run.sh): what they need,
# a screen of their own with the accessibility bus, and Dalvimo started on
# it against a loopback address of its own. Each function leaves the
# processes it starts in the caller's pids array; the caller stops them.

desktop_skip() {
    echo "SKIPPED: $* (scripts/setup.sh installs it)"
    exit 77
}

# The system's Python, which Debian's pyatspi and Orca are installed for.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
desktop_launcher=/usr/libexec/at-spi-bus-launcher

# desktop_require [TOOL...]: exits 77 unless the screen, the buses, pyatspi,
# Qt's X platform and the tools named are there.
desktop_require() {
    local tool
    for tool in Xvfb dbus-run-session "$python" timeout "$@"; do
        command -v "$tool" >/dev/null || desktop_skip "$tool is not installed"
    done
    [ -x "$desktop_launcher" ] || desktop_skip "at-spi-bus-launcher is not installed (at-spi2-core)"
    "$python" -c 'import pyatspi' 2>/dev/null || desktop_skip "pyatspi is not installed (python3-pyatspi)"
    compgen -G '/usr/lib/*/qt6/plugins/platforms/libqxcb.so' >/dev/null ||
        desktop_skip "Qt's X platform is not installed (qt6-qpa-plugins)"
}

# desktop_screen WORK: a virtual screen on a display number far from the
# ones programs assume (:0, :99), so that nothing else connects to it and
# our clients to nothing else; DISPLAY names it. Then the accessibility bus.
# Xvfb writes the number to -displayfd only once it serves clients (its
# socket appears earlier), and -noreset keeps it from starting over when its
# first client (the bus launcher) leaves, which would refuse the next one.
desktop_screen() {
    local work=$1 n xvfb display=
    for _ in $(seq 20); do
        n=$((RANDOM % 700 + 200))
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        : >"$work/display"
        Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp -noreset -displayfd 3 \
            3>"$work/display" 2>"$work/xvfb.log" &
        xvfb=$!
        for _ in $(seq 100); do
            [ -s "$work/display" ] && break
            kill -0 "$xvfb" 2>/dev/null || break
            sleep 0.1
        done
        if [ -s "$work/display" ] && kill -0 "$xvfb" 2>/dev/null; then
            pids+=("$xvfb")
            display=":$n"
            break
        fi
        kill "$xvfb" 2>/dev/null || true
        wait "$xvfb" 2>/dev/null || true
    done
    [ -n "$display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
    export DISPLAY=$display

    "$desktop_launcher" --launch-immediately 2>"$work/launcher.log" &
    pids+=($!)
}

# desktop_client DALVIMO WORK [SETTING...]: a copy of the client, so its
# settings file stays out of the build, polling a loopback address of its
# own (address), so no other simulator on the default port answers it.
# client is its process.
desktop_client() {
    local dalvimo=$1 work=$2 setting
    shift 2
    address="127.$((RANDOM % 200 + 20)).$((RANDOM % 250 + 1)).$((RANDOM % 250 + 1))"
    cp "$dalvimo" "$work/dalvimo"
    printf '[General]\r\nClockIP_1=%s\r\nSelectIPNum=1\r\nAutoPing=1\r\n' "$address" >"$work/dalvimo.cfg"
    for setting in "$@"; do printf '%s\r\n' "$setting" >>"$work/dalvimo.cfg"; done
    QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 ASAN_OPTIONS=detect_leaks=0 \
        "$work/dalvimo" >"$work/dalvimo.log" 2>&1 &
    client=$!
    pids+=("$client")
}
