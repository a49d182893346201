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
cat >"$work/shot.sh" <<SHOT
#!/usr/bin/env bash
"$build/bin/zorvant" "$work/board.zvp" &
pid=\$!
sleep 4
# The main window fills the virtual screen (it opens at 95 % of it).
xdotool search --onlyvisible --class zorvant windowsize 1000 700 >/dev/null 2>&1 || true
sleep 1
import -window root "$PWD/docs/screenshot-main.png"
kill \$pid
SHOT
chmod +x "$work/shot.sh"
# Settings of its own, so the picture shows neither the user's recent files
# nor the window layout the user left, and leaves them alone.
XDG_CONFIG_HOME="$work/config" xvfb-run -a -s "-screen 0 1000x700x24" "$work/shot.sh"
echo "wrote docs/screenshot-main.png"
