#include "pages/serial/CSerialPropPage.h"

#include <string>

#include "chip/SerialMath.h"

CSerialPropPage::CSerialPropPage(PageContext& context, const std::string& caption,
                                 const Links& links)
    : CPropPage(context, caption),
      interrupts_(&context.Record(Pid::Interrupts)),
      portIO_(&context.Record(Pid::PortIO)),
      links_(links) {}

void CSerialPropPage::AddLinkGroups(PageBuilder& b) {
    const std::string unit = links_.unit;
    const std::string bus = links_.bus;
    b.Group(bus + " Interrupt");
    b.Status(links_.interruptText, {unit + " Interrupt is Disabled"});
    b.Button(links_.configureInterrupts, "Configure " + bus + " Interrupts");
    b.Group(bus + " on the Crossbar");
    b.Status(links_.crossbarText, {unit + " is Disabled on the Crossbar"});
    b.Button(kConfigurePortIO, "Configure Port I/O");
    // Spare height of the sheet goes above the preview, not into it.
    b.Preview(5, PreviewPlace::PageBottom);
}

void CSerialPropPage::AddBaudRateDisplay(PageBuilder& b, int id) {
    b.Display(id, "", "bps");
    b.Status(kStandardRateId, {"Nearest standard rate 921600 bps: -100.00 %"});
}

void CSerialPropPage::ShowInterruptText() {
    const bool on = serial::RecordBit(interrupts_, links_.interruptRegister, links_.interruptMask);
    SetText(links_.interruptText,
            std::string(links_.unit) + (on ? " Interrupt is Enabled" : " Interrupt is Disabled"));
}

void CSerialPropPage::ShowCrossbarText() {
    const bool on = serial::RecordBit(portIO_, links_.crossbarRegister, links_.crossbarMask);
    SetText(links_.crossbarText, std::string(links_.unit) + (on ? " is Enabled on the Crossbar"
                                                                : " is Disabled on the Crossbar"));
}

bool CSerialPropPage::OnLinkCommand(int id) {
    if (id == links_.configureInterrupts) {
        if (Ctx().OpenSheet(SheetId::Interrupts)) ShowInterruptText();
        return true;
    }
    if (id == kConfigurePortIO) {
        if (Ctx().OpenSheet(SheetId::PortIO)) ShowCrossbarText();
        return true;
    }
    return false;
}

void CSerialPropPage::ReloadPortIO() { Ctx().Reload(Pid::PortIO); }
