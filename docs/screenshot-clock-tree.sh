#!/usr/bin/env bash
# Retakes docs/screenshot-clock-tree.png (and the guide's copy): the clock tree
# of a Q7R20 project with a 22.1184 MHz crystal as SYSCLK, UART0 at 115200
# baud from Timer 1, the SMBus at 100 kHz from Timer 0 and the PCA on
# SYSCLK / 4 with a PWM and a frequency output, all set through the real
# sheets by `zorvant run`, then shown by the desktop program on a virtual X
# server. Needs xvfb, xdotool and imagemagick
# (ZV_WITH_SCREENSHOT_TOOLS=1 bash scripts/deps.sh). Usage: docs/screenshot-clock-tree.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bin/zorvant" run - >/dev/null <<SCRIPT
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
tab "Timer 0"
click 11158
text 11167 "100000"
ok
click 11099
ok
menu UART
click 11154
ok
menu SMBus
click 11372
ok
menu PCA
click 11329
click 11337
tab "Module 0"
click 11349
text 11358 "80"
tab "Module 1"
click 11348
text 11362 "0B"
tab "Module 4/WDT"
click 11334
ok
menu "Port I/O"
click 11446
click 11448
click 11454
click 11455
click 11277
ok
save $work/board.zvp
SCRIPT
. docs/desktop-shot.sh
desktop_shot 1366x768 "$work/board.zvp" <<SHOT
# The project window maximized, then View > Clock Tree.
xdotool mousemove 300 69 click --repeat 2 --delay 80 1
sleep 1
xdotool key alt+v c
sleep 1
import -window root -crop 1100x730+0+0 "$PWD/docs/screenshot-clock-tree.png"
SHOT
cp docs/screenshot-clock-tree.png docs/guide/clock-tree.png
echo "wrote docs/screenshot-clock-tree.png and docs/guide/clock-tree.png"
