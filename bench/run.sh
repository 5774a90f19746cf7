#!/usr/bin/env bash
# Builds the benchmarks alone in an optimised build and runs them:
#   dalvimo-bench (reply handling and the log, offscreen); arguments go to it
#   (--replies n, --samples n, --lines n,...);
#   dalvimo-startup-bench under Xvfb: start-up, memory, the initial fetch and
#   CPU per reply against a bare Qt window (DALVIMO_STARTUP_ARGS go to it,
#   e.g. "--runs 21").
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/setup.sh"

DALVIMO_PACKAGES+=(xvfb xauth)
dalvimo_install_missing
dir="$DALVIMO_ROOT/build-bench"
cmake -S "$DALVIMO_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DDALVIMO_BENCH=ON -DDALVIMO_TESTS=OFF >/dev/null
cmake --build "$dir" --parallel 2 --target dalvimo-bench dalvimo-startup-bench dalvimo-probe bare-window quorvan-sim
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$dir/bench/dalvimo-bench" "$@"
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
# shellcheck disable=SC2086
XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$dir/bench/dalvimo-startup-bench" ${DALVIMO_STARTUP_ARGS:-}
