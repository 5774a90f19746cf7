#!/usr/bin/env bash
# The Windows build's tests under Wine, after the Linux ones (test.sh):
#   run.sh BUILD_DIR LINUX_SIMULATOR
# BUILD_DIR is the cross build with its test programs (windows.sh --tests).
# Every Qt Test suite runs through ctest in a private Wine prefix on the
# offscreen platform; the suites of what only Linux has are listed as not
# run, with the reason. Then the packages end to end (e2e.sh).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine_env.sh"

build=$(cd "$1" && pwd)
sim=$2
cache() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }

started=$SECONDS
dalvimo_wine_env "$(cache DALVIMO_WINE_PREFIX)" "$(cache DALVIMO_WINDOWS_QT)"
trap 'dalvimo_wine_stop; dalvimo_wine_screen_stop' EXIT
# A screen for the suites of native windows (tests/windows/uia), there
# before the prefix's first program.
dalvimo_wine_stop
mkdir -p "$build/wine"
dalvimo_wine_screen "$build/wine/screen.log"
dalvimo_wine_boot offscreen
echo "Wine prefix ready in $((SECONDS - started)) s"

(cd "$build" && ctest --output-on-failure --parallel 2)
echo "Not run under Wine, as only Linux has what they test:"
sed 's/^/  /' "$build/linux-only-tests.txt"
dalvimo_wine_stop
dalvimo_wine_screen_stop

"$here/e2e.sh" "$build" "$sim"
echo "Windows tests under Wine took $((SECONDS - started)) s"
