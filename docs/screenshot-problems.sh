#!/usr/bin/env bash
# Retakes docs/screenshot-problems.png: the desktop program at 1366 x 768 with
# a Q7R20 project whose 22.1184 MHz crystal is left at "f <= 32kHz" with its
# XTAL pins as after reset and UART0 routed with Timer 1 stopped, and View >
# Problems open. The project is made through the sheets by `zorvant run`; the
# picture is taken on a virtual X server. Needs xvfb, xdotool and imagemagick
# (ZV_WITH_SCREENSHOT_TOOLS=1 bash scripts/deps.sh). Usage: docs/screenshot-problems.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bin/zorvant" run - <<SCRIPT
new Q7R20
menu "Oscillators"
tab "External Oscillator"
click 11181
text 11174 "22118400"
ok
menu "Port I/O"
click 11446
answer yes
ok
save $work/board.zvp
SCRIPT
. docs/desktop-shot.sh
desktop_shot 1366x768 "$work/board.zvp" <<SHOT
# The main window fills the screen; a click on the count at the right of the
# status bar opens the Problems view.
xdotool search --onlyvisible --class zorvant windowsize 1366 768 >/dev/null 2>&1 || true
sleep 1
xdotool mousemove 1290 754 click 1
sleep 1.5
import -window root "$PWD/docs/screenshot-problems.png"
SHOT
echo "wrote docs/screenshot-problems.png"
