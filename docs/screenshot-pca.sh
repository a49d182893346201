#!/usr/bin/env bash
# Retakes the PCA sheet picture in docs/: module 0 as an 8-bit PWM at 25 %
# duty cycle. Drawn by `zorvant run` off-screen; no display needed.
# Usage: docs/screenshot-pca.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
"$build/bin/zorvant" run - <<SCRIPT
new Q7R20
menu PCA
click 11329
tab "Module 0"
click 11349
click 11441
click 11356
text 11371 "25"
ok
grab docs/screenshot-pca.png
cancel
SCRIPT
echo "wrote docs/screenshot-pca.png"
