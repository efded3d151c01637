#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
# RIDEZU_SANITIZE=1 ./test.sh builds into build-sanitize with ASan/UBSan.
set -euo pipefail
. "$(dirname "$0")/tools/common.sh"

install_missing
if [ "${RIDEZU_SANITIZE:-0}" = 1 ]; then
    BUILD="$ROOT/build-sanitize"
    build -DRIDEZU_SANITIZE=ON
else
    build
fi
cd "$BUILD"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 600
