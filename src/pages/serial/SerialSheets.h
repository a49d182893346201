#pragma once
// The sheets of the serial pages: UARTs, SPI0 and SMBus.

#include "pages/common/SheetPlan.h"

// "UARTs": UART0 and, on the large-package models, UART1, on the UART record
// with copies of the interrupt, Port I/O and timer records.
SheetPlan UartSheet();
// "Enhanced Serial Peripheral Interface": SPI0 with copies of the interrupt
// and Port I/O records.
SheetPlan SpiSheet();
// "SMBus" with copies of the timer, Port I/O and interrupt records.
SheetPlan SmbusSheet();
