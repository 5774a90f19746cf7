#!/usr/bin/env bash
# Installs what Dalvimo needs to build, run and test on Debian 12, and only
# what is missing. Sourced by run.sh and test.sh.
set -euo pipefail

# qt6-svg-dev draws the scalable icon at build time; desktop-file-utils and
# appstream validate the menu entry and metadata in the tests; the rest
# serves the accessibility tests: Qt's switch for accessibility events, and
# a real desktop accessibility bus with a screen reader's client library,
# then the screen reader itself with a window manager for it to follow and
# xdotool to type. libqrencode-dev draws dalvimo-web's pairing address as a
# QR code; chromium and chromium-driver run its page in a real headless
# browser in the tests; iproute2 makes the network namespaces that discovery
# is tested in. libmosquitto-dev is dalvimo-mqtt's MQTT client library;
# mosquitto is the broker its tests start (with mosquitto_passwd for their
# password file), openssl makes their TLS certificate, and mosquitto-clients
# has mosquitto_sub to watch the bridge by hand.
DALVIMO_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev fonts-liberation2 clang libclang-rt-14-dev
    desktop-file-utils appstream
    qt6-base-private-dev qt6-qpa-plugins xvfb dbus at-spi2-core python3-pyatspi
    orca openbox xdotool libqrencode-dev chromium chromium-driver iproute2
    libmosquitto-dev mosquitto mosquitto-clients openssl)

# The Windows build (windows.sh): the mingw-w64 cross compiler with posix
# threads and the installer maker. Running it (the Windows part of test.sh):
# Wine, a virtual screen to show the window on and tools to find and
# photograph it, and the faces the offscreen tests and the window use.
DALVIMO_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix nsis)
DALVIMO_WINE_PACKAGES=(wine64 xvfb xdotool imagemagick fonts-liberation2 fonts-dejavu-core)

dalvimo_install_missing() {
    local missing=()
    for p in "${DALVIMO_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
}

# dalvimo_build <build-dir> [cmake options...]
dalvimo_build() {
    local dir=$1
    shift
    cmake -S "$DALVIMO_ROOT" -B "$dir" -G Ninja "$@" >/dev/null
    # DALVIMO_JOBS limits the parallel jobs on a shared machine.
    cmake --build "$dir" --parallel ${DALVIMO_JOBS:-}
}

DALVIMO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
