#!/usr/bin/env bash
# Installs what is missing, builds Dalvimo and runs it against the Quorvan
# simulator on 127.0.0.1:17777, so the window fills with data.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

dalvimo_install_missing
dalvimo_build "$DALVIMO_ROOT/build" -DCMAKE_BUILD_TYPE=Release -DDALVIMO_TESTS=OFF

"$DALVIMO_ROOT/build/tools/quorvan-sim/quorvan-sim" --quiet &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
"$DALVIMO_ROOT/build/bin/dalvimo"
