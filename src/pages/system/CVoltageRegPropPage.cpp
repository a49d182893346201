#include "pages/system/CVoltageRegPropPage.h"

#include "devices/Registers.h"

CVoltageRegPropPage::CVoltageRegPropPage() : CPropPage("Voltage Regulator") {
    using VoltageRegulatorReg::REG0CN;
    PageBuilder b = Builder();
    b.Group("Voltage Regulator Mode");
    b.Radio(11429, "Normal Mode").Field(REG0CN, 0x10, 0x00);
    b.Radio(11430, "Low Power Mode").Field(REG0CN, 0x10, 0x10);
    b.Group("VBUS Interrupt Polarity");
    b.Radio(11431, "VBUS Interrupt Active when VBUS is Low").Field(REG0CN, 0x20, 0x00);
    b.Radio(11432, "VBUS Interrupt Active when VBUS is High").Field(REG0CN, 0x20, 0x20);
    b.Group("Voltage Regulator Disable");
    b.Check(11433, "Disable Voltage Regulator").Bit(REG0CN, 0x80);
    b.Preview();
}
