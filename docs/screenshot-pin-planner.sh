#!/usr/bin/env bash
# Retakes the Pin Planner picture of the README and the user guide: a small-package (Q7R22) project
# that wants SMBus's SDA on P1.2 and UART0, before Apply. Drawn by
# `zorvant run` off-screen; no display needed.
# Usage: docs/screenshot-pin-planner.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
"$build/bin/zorvant" run - <<SCRIPT
new Q7R22
menu "Pin Planner..."
select 12106 "P1.2"
select 12100 "P0.4"
grab docs/guide/pin-planner.png
cancel
SCRIPT
echo "wrote docs/guide/pin-planner.png"
