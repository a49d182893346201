#include "pages/system/CPrefetchPropPage.h"

#include "devices/Registers.h"

namespace {}

CPrefetchPropPage::CPrefetchPropPage() : CPropPage("Prefetch Engine") {
    BuildBound({
        {11445, ControlKind::Check, "Enable Prefetch Engine", "Prefetch Enable", 0,
         PrefetchReg::PFE0CN, 0x20, 0},
        {11443, ControlKind::Radio, "FLASH bytes are written individually",
         "FLASH Block Write Enable", 0, PrefetchReg::PFE0CN, 0x01, 0x00},
        {11444, ControlKind::Radio, "FLASH bytes are written in groups of two",
         "FLASH Block Write Enable", 0, PrefetchReg::PFE0CN, 0x01, 0x01},
    });
}
