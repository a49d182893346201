#!/usr/bin/env bash
# Retakes the Port I/O sheet pictures in docs/: a large-package (Q7R20) and a
# small-package (Q7R22) project with UART0, SPI0 and SMBus routed and two
# pins skipped. Drawn by `zorvant run` off-screen; no display needed.
# Usage: docs/screenshot-portio.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
for model in Q7R20 Q7R22; do
  lower=$(echo "$model" | tr 'A-Z' 'a-z')
  "$build/bin/zorvant" run - <<SCRIPT
new $model
menu "Port I/O"
click 11464
click 11465
click 11446
click 11447
click 11448
click 11532
click 11277
grab docs/screenshot-portio-$lower.png
cancel
SCRIPT
  echo "wrote docs/screenshot-portio-$lower.png"
done
