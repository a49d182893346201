#pragma once
// Command rows of the serial pages: UARTs, SPI0 and SMBus.

#include "pages/common/CommandTable.h"

CommandRow UartCommand();
CommandRow SpiCommand();
CommandRow SmbusCommand();
