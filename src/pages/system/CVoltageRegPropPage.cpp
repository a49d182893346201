#include "pages/system/CVoltageRegPropPage.h"

#include "devices/Registers.h"

namespace {}

CVoltageRegPropPage::CVoltageRegPropPage() : CPropPage("Voltage Regulator") {
    BuildBound({
        {11429, ControlKind::Radio, "Normal Mode", "Voltage Regulator Mode", 0,
         VoltageRegulatorReg::REG0CN, 0x10, 0x00},
        {11430, ControlKind::Radio, "Low Power Mode", "Voltage Regulator Mode", 0,
         VoltageRegulatorReg::REG0CN, 0x10, 0x10},
        {11431, ControlKind::Radio, "VBUS Interrupt Active when VBUS is Low",
         "VBUS Interrupt Polarity", 0, VoltageRegulatorReg::REG0CN, 0x20, 0x00},
        {11432, ControlKind::Radio, "VBUS Interrupt Active when VBUS is High",
         "VBUS Interrupt Polarity", 0, VoltageRegulatorReg::REG0CN, 0x20, 0x20},
        {11433, ControlKind::Check, "Disable Voltage Regulator", "Voltage Regulator Disable", 0,
         VoltageRegulatorReg::REG0CN, 0x80, 0},
    });
}
