#!/usr/bin/env bash
# Installs what is missing, builds, and opens the bundled example project.
# Without a display it prints the command-line analysis of that example.
set -euo pipefail
. "$(dirname "$0")/tools/common.sh"

install_missing
build

EXAMPLE="$ROOT/examples/default.qzp"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$BUILD/bin/ridezu" ]; then
    exec "$BUILD/bin/ridezu" "$EXAMPLE"
fi
echo "No display: command-line analysis of $EXAMPLE"
"$BUILD/bin/ridezu-cli" check "$EXAMPLE"
exec "$BUILD/bin/ridezu-cli" analyse "$EXAMPLE"
