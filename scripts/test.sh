#!/usr/bin/env bash
# Installs what is missing, builds Dalvimo with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs the whole test suite through ctest.
# Then replays the fuzz corpus through the reply dispatcher. Then the Windows
# build: cross-compiled with its tests, which run under Wine, and its
# packages checked end to end (tests/windows).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

DALVIMO_PACKAGES+=("${DALVIMO_WINDOWS_PACKAGES[@]}" "${DALVIMO_WINE_PACKAGES[@]}")
dalvimo_install_missing
dalvimo_build "$DALVIMO_ROOT/build-test" -DCMAKE_BUILD_TYPE=Debug -DDALVIMO_SANITIZE=ON
(cd "$DALVIMO_ROOT/build-test" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel 2)

# The fuzz target alone, with clang and libFuzzer; a short fixed run over the
# seed corpus. New inputs go to a scratch folder, never into the corpus. The
# per-input leak check would cost ten times the run; as in the tests above,
# leaks are left to the long fuzzing runs.
fuzz_dir="$DALVIMO_ROOT/build-fuzz"
cmake -S "$DALVIMO_ROOT" -B "$fuzz_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
    -DDALVIMO_FUZZ=ON -DDALVIMO_TESTS=OFF >/dev/null
cmake --build "$fuzz_dir" --target fuzz_dispatcher
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
ASAN_OPTIONS=detect_leaks=0 \
    "$fuzz_dir/fuzz/fuzz_dispatcher" -runs=2000 -seed=1 -detect_leaks=0 -artifact_prefix="$fuzz_dir/" \
    "$scratch" "$DALVIMO_ROOT/fuzz/corpus"

# The Windows part. The icons come from the renderer built above, and the
# packages meet the Linux simulator built above.
windows_part() {
    DALVIMO_HOST_RENDER_ICONS="$DALVIMO_ROOT/build-test/dist/render_icons" "$DALVIMO_ROOT/scripts/windows.sh" --tests
    ASAN_OPTIONS=detect_leaks=0 "$DALVIMO_ROOT/tests/windows/run.sh" "$DALVIMO_ROOT/build-windows" \
        "$DALVIMO_ROOT/build-test/tools/quorvan-sim/quorvan-sim"
}
TIMEFORMAT='The Windows part took %0lR (CPU: %0lU user, %0lS system)'
time windows_part
