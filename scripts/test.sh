#!/usr/bin/env bash
# Installs what is missing, builds Dalvimo with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs the whole test suite through ctest.
# Then replays each fuzz target's seed corpus. Then the Windows
# build: cross-compiled with its tests, which run under Wine, and its
# packages checked end to end (tests/windows).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

DALVIMO_PACKAGES+=("${DALVIMO_WINDOWS_PACKAGES[@]}" "${DALVIMO_WINE_PACKAGES[@]}")
dalvimo_install_missing
dalvimo_build "$DALVIMO_ROOT/build-test" -DCMAKE_BUILD_TYPE=Debug -DDALVIMO_SANITIZE=ON
(cd "$DALVIMO_ROOT/build-test" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel 2)

# The fuzz targets alone, with clang and libFuzzer; a short fixed run of
# each over its seed corpus: the reply dispatcher (fuzz/corpus), and the
# parsers of what comes from outside, dalvimo-web's request reader and JSON
# bodies, the settings file and dalvimoctl's command line
# (fuzz/corpus-NAME). New inputs go to a scratch folder, never into a
# corpus. The per-input leak check would cost ten times the run; as in the
# tests above, leaks are left to the long fuzzing runs.
fuzz_dir="$DALVIMO_ROOT/build-fuzz"
fuzz_targets=(dispatcher http json settings args)
cmake -S "$DALVIMO_ROOT" -B "$fuzz_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
    -DDALVIMO_FUZZ=ON -DDALVIMO_TESTS=OFF >/dev/null
cmake --build "$fuzz_dir" --parallel ${DALVIMO_JOBS:-} --target "${fuzz_targets[@]/#/fuzz_}"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for target in "${fuzz_targets[@]}"; do
    corpus="$DALVIMO_ROOT/fuzz/corpus-$target"
    [ "$target" = dispatcher ] && corpus="$DALVIMO_ROOT/fuzz/corpus"
    mkdir "$scratch/$target"
    ASAN_OPTIONS=detect_leaks=0 \
        "$fuzz_dir/fuzz/fuzz_$target" -runs=2000 -seed=1 -detect_leaks=0 -artifact_prefix="$fuzz_dir/" \
        "$scratch/$target" "$corpus"
done

# The Windows part. The icons come from the renderer built above, and the
# packages meet the Linux simulator built above.
windows_part() {
    DALVIMO_HOST_RENDER_ICONS="$DALVIMO_ROOT/build-test/dist/render_icons" "$DALVIMO_ROOT/scripts/windows.sh" --tests
    ASAN_OPTIONS=detect_leaks=0 "$DALVIMO_ROOT/tests/windows/run.sh" "$DALVIMO_ROOT/build-windows" \
        "$DALVIMO_ROOT/build-test/tools/quorvan-sim/quorvan-sim"
}
TIMEFORMAT='The Windows part took %0lR (CPU: %0lU user, %0lS system)'
time windows_part
