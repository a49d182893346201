#pragma once
// The Oscillators command: six pages (five on the models without the L-F
// oscillator) on one working copy of the oscillator record; OK stores it,
// Cancel puts SysclkFrequency and ExtOscFrequency back.

#include "pages/common/CommandTable.h"

CommandRow OscillatorsCommand();
