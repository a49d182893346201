#pragma once
// Marks in an input drop-down: every item whose pin is not configured
// properly gets a warning icon, a red name and its status as tool tip, so
// the user sees misconfigured pins before opening the list.

#include <vector>

#include "chip/PinCheck.h"

class QComboBox;

// One state per item, in list order.
void MarkInputItems(QComboBox* box, const std::vector<analog::PinState>& states);
bool IsInputItemMarked(const QComboBox* box, int index);
