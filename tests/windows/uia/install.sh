#!/usr/bin/env bash
# ctest's set-up of tst_uia_announcements (tests/windows/CMakeLists.txt):
#   install.sh PREFIX QT_FOR_WINDOWS STAND_IN.dll
# puts the stand-in for uiautomationcore.dll into the prefix's system
# folder. The prefix's programs keep Wine's own (an override to builtin in
# its registry); the suite's override (WINEDLLOVERRIDES) takes the stand-in.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../wine_env.sh"
dalvimo_wine_env "$1" "$2"
dalvimo_wine reg add 'HKCU\Software\Wine\DllOverrides' /v uiautomationcore /d builtin /f >/dev/null
cp "$3" "$WINEPREFIX/drive_c/windows/system32/uiautomationcore.dll"
