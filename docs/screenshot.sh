#!/usr/bin/env bash
# Retakes docs/screenshot-main.png: the desktop program with a new Q7R20
# project, on a virtual X server. Needs xvfb, xdotool and imagemagick
# (ZV_WITH_SCREENSHOT_TOOLS=1 bash scripts/deps.sh). Usage: docs/screenshot.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bin/zorvant" new Q7R20 -o "$work/board.zvp"
. docs/desktop-shot.sh
desktop_shot 1000x700 "$work/board.zvp" <<SHOT
# The main window fills the virtual screen (it opens at 95 % of it).
xdotool search --onlyvisible --class zorvant windowsize 1000 700 >/dev/null 2>&1 || true
sleep 1
import -window root "$PWD/docs/screenshot-main.png"
SHOT
echo "wrote docs/screenshot-main.png"
