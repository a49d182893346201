#!/usr/bin/env bash
# Retakes docs/screenshot-adc.png: the ADC sheet of a Q7R20 project with
# ADC0 differential between P2.3 (made analog and skipped in the nested
# Port I/O sheet) and P2.5 (left digital, so its item carries the warning
# mark), started by Timer 2. Drawn by `zorvant run` off-screen; no display needed.
# Usage: docs/screenshot-adc.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
"$build/bin/zorvant" run - <<SCRIPT
new Q7R20
menu "ADC"
click 11293
select 11300 "P2.3"
select 11301 "P2.5"
click 11281
click 11483
click 11515
ok
click 11319
text 11306 "03"
text 11314 "02"
text 11315 "00"
grab docs/screenshot-adc.png
cancel
SCRIPT
echo "wrote docs/screenshot-adc.png"
