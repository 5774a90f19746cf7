#!/usr/bin/env bash
# Builds the benchmark alone in an optimised build and runs it; arguments go
# to the program (--replies n, --samples n, --lines n,...).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/setup.sh"

dalvimo_install_missing
dir="$DALVIMO_ROOT/build-bench"
cmake -S "$DALVIMO_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DDALVIMO_BENCH=ON -DDALVIMO_TESTS=OFF >/dev/null
cmake --build "$dir" --target dalvimo-bench
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$dir/bench/dalvimo-bench" "$@"
