#pragma once
// The "Programmable Counter Array" command: the PCA0 page and the five module pages.

#include "pages/common/CommandTable.h"

CommandRow PcaCommand();
