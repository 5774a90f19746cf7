#!/usr/bin/env bash
# ctest's runner for the Windows test programs (CMAKE_CROSSCOMPILING_EMULATOR):
#   wine_run.sh PREFIX QT_FOR_WINDOWS PROGRAM.exe [ARGS...]
# runs a Qt Test program in the prepared prefix (tests/windows/run.sh makes
# it). Its output goes to a file, as Qt Test writes nothing to a pipe under
# Wine, and is shown afterwards; the exit status is the program's.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine_env.sh"
dalvimo_wine_env "$1" "$2"
shift 2
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine_run.sh: no Wine prefix in $WINEPREFIX (tests/windows/run.sh makes it)" >&2
    exit 1
fi
out=$(mktemp --suffix=.txt)
trap 'rm -f "$out"' EXIT
dalvimo_wine "$@" -o "$out,txt"
status=$?
tr -d '\r' <"$out"
exit $status
