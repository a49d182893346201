#!/usr/bin/env bash
# Retakes the serial sheet pictures in docs/: the UARTs sheet (both pages of
# a large-package model), the SPI0 sheet and the SMBus sheet, each set up as
# a user would at SYSCLK 24 MHz. Drawn by `zorvant run`; no display needed.
# Usage: docs/screenshot-serial.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
"$build/bin/zorvant" run - <<'SCRIPT'
new Q7R20
menu "Oscillators"
tab "Clock Multiplier"
click 11395
click 11396
tab "SYSCLK Select"
click 11439
ok
menu UART
click 11154
click 11156
click 11103
text 11123 "98"
click 11119
ok
grab docs/screenshot-uart0.png
tab "UART1"
click 11015
click 11032
click 11036
text 11030 "FB"
text 11031 "1E"
grab docs/screenshot-uart1.png
cancel
menu SPI
click 11235
click 11245
click 11246
click 11242
text 11248 "0B"
grab docs/screenshot-spi0.png
cancel
menu SMBus
click 11372
click 11375
click 11378
click 11115
click 11136
ok
click 11380
click 11103
text 11122 "B0"
ok
grab docs/screenshot-smbus.png
cancel
SCRIPT
echo "wrote docs/screenshot-uart0.png docs/screenshot-uart1.png docs/screenshot-spi0.png docs/screenshot-smbus.png"
