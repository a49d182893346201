#include "pages/system/CPrefetchPropPage.h"

#include "devices/Registers.h"

CPrefetchPropPage::CPrefetchPropPage() : CPropPage("Prefetch Engine") {
    using PrefetchReg::PFE0CN;
    PageBuilder b = Builder();
    b.Group("Prefetch Enable");
    b.Check(11445, "Enable Prefetch Engine").Bit(PFE0CN, 0x20);
    b.Group("FLASH Block Write Enable");
    b.Radio(11443, "FLASH bytes are written individually").Field(PFE0CN, 0x01, 0x00);
    b.Radio(11444, "FLASH bytes are written in groups of two").Field(PFE0CN, 0x01, 0x01);
    b.Preview();
}
