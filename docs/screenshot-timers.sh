#!/usr/bin/env bash
# Retakes the Timers pictures in docs/: a Q7R20 project at 22.1184 MHz with
# Timer 1 set for 115200 bps, its page, and the baud-rate calculator asked
# for 250000 bps. Drawn by `zorvant run` off-screen; no display needed.
# Usage: docs/screenshot-timers.sh [BUILD_DIR]
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
tab "SYSCLK Select"
click 11438
ok
menu Timers
tab "Timer 1"
click 11157
text 11167 "115200"
ok
click 11119
grab docs/screenshot-timers.png
click 11157
text 11167 "250000"
grab docs/screenshot-baud-rate.png
cancel
cancel
SCRIPT
echo "wrote docs/screenshot-timers.png and docs/screenshot-baud-rate.png"
