#pragma once
// The Port I/O sheet: its Peripherals command and the nested sheet that other
// pages open with their "Configure Port I/O" buttons.

#include "model/DeviceDocument.h"
#include "pages/common/CommandTable.h"

// The Port I/O command: the crossbar page (with a copy of the SPI0 record and
// the model group) and, on large-package models, the port 4 page; stores the
// Port I/O record on OK.
CommandRow PortIOCommand();

// Runs the nested "Port I/O" sheet. Its pages edit `portCopy` (the caller's
// working copy of the Port I/O record) or, when null, a fresh copy taken from
// the document; the crossbar page reads `spiCopy` (the SPI page's own working
// copy) or, when null, a fresh copy of the SPI record. On OK the Port I/O
// record is stored into the document at once. Returns true on OK.
bool RunPortIOSheet(CDeviceDocument& doc, PeripheralRecord* portCopy = nullptr,
                    const PeripheralRecord* spiCopy = nullptr);
