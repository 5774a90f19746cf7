#!/usr/bin/env bash
# Builds dalvimoctl, quorvan-sim and a bare Qt Core program in an optimised
# build and times them as whole processes; arguments go to the program
# (--rounds n).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/setup.sh"

dalvimo_install_missing
dir="$DALVIMO_ROOT/build-bench"
cmake -S "$DALVIMO_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DDALVIMO_BENCH=ON -DDALVIMO_TESTS=OFF >/dev/null
cmake --build "$dir" --target dalvimoctl-bench
"$dir/bench/dalvimoctl-bench" "$@"
