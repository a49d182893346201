#pragma once
// Command rows of the system control pages.

#include "pages/common/CommandTable.h"

CommandRow VoltageRegulatorCommand();
CommandRow PrefetchCommand();
CommandRow EmiCommand();
CommandRow VoltageReferenceCommand();
