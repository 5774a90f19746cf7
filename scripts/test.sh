#!/usr/bin/env bash
# Installs what is missing, builds Dalvimo with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs the whole test suite through ctest.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

dalvimo_install_missing
dalvimo_build "$DALVIMO_ROOT/build-test" -DCMAKE_BUILD_TYPE=Debug -DDALVIMO_SANITIZE=ON
cd "$DALVIMO_ROOT/build-test"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel 2
