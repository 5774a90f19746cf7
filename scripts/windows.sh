#!/usr/bin/env bash
# Cross-builds Dalvimo for 64-bit Windows on Debian 12 and packs it into
# the top folder of the repository:
#   Dalvimo-<version>-win64.zip        the three programs with the Qt and
#                                      compiler libraries they need, README
#                                      and LICENSE, to unpack anywhere
#   Dalvimo-<version>-win64-setup.exe  an installer for the current user
#
#   scripts/windows.sh           build (Release, mingw-w64 with posix threads) and pack
#   scripts/windows.sh --tests   also build the test programs, which test.sh
#                                then runs under Wine (tests/windows/run.sh)
#
# The Qt for Windows comes from scripts/windows-qt.sh: the prebuilt copy
# beside the repository, else built once from Debian's source (~35 min).
# The icons are drawn by render_icons built for this machine, or by the one
# DALVIMO_HOST_RENDER_ICONS names (test.sh passes its Linux build's).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
source "$DALVIMO_ROOT/scripts/windows-qt.sh"

tests=OFF
case "${1:-}" in
    --tests) tests=ON ;;
    "") ;;
    *) echo "usage: scripts/windows.sh [--tests]" >&2; exit 64 ;;
esac

DALVIMO_PACKAGES+=("${DALVIMO_WINDOWS_PACKAGES[@]}")
dalvimo_install_missing
qt=$(dalvimo_windows_qt)

renderer=${DALVIMO_HOST_RENDER_ICONS:-}
if [ -z "$renderer" ]; then
    host="$DALVIMO_ROOT/build-windows-host"
    cmake -S "$DALVIMO_ROOT" -B "$host" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDALVIMO_TESTS=OFF >/dev/null
    cmake --build "$host" --parallel ${DALVIMO_JOBS:-} --target render_icons
    renderer="$host/dist/render_icons"
fi

dir="$DALVIMO_ROOT/build-windows"
dalvimo_build "$dir" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$DALVIMO_ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DDALVIMO_WINDOWS_QT="$qt" -DDALVIMO_HOST_RENDER_ICONS="$renderer" -DDALVIMO_TESTS=$tests
cmake --build "$dir" --target windows_packages

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dir/CMakeCache.txt")
for f in "Dalvimo-$version-win64.zip" "Dalvimo-$version-win64-setup.exe"; do
    cp "$dir/packages/$f" "$DALVIMO_ROOT/$f"
    echo "Built $DALVIMO_ROOT/$f"
done
