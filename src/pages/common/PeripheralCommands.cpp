#include "pages/common/PeripheralCommands.h"

namespace pages {

bool HasPeripheralCommand(int) { return false; }

bool RunPeripheralCommand(CDeviceDocument&, int) { return false; }

}  // namespace pages
