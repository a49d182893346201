#!/usr/bin/env bash
# Retakes the Oscillators sheet picture in docs/: a Q7R20 project with a
# 22.1184 MHz crystal, its pins put right on the crossbar, shown on the
# External Oscillator page. Drawn by `zorvant run` off-screen; no display needed.
# Usage: docs/screenshot-oscillators.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
"$build/bin/zorvant" run - <<SCRIPT
new Q7R20
menu "Oscillators"
tab "External Oscillator"
click 11181
click 11190
text 11174 "22118400"
click 11281
click 11470
click 11471
click 11502
click 11503
ok
tab "SYSCLK Select"
click 11438
tab "External Oscillator"
grab docs/screenshot-oscillators.png
cancel
SCRIPT
echo "wrote docs/screenshot-oscillators.png"
