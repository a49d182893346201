#include "pages/system/CVoltageRefPropPage.h"

#include <QFontMetrics>
#include <QLabel>

#include "chip/Crossbar.h"
#include "devices/Models.h"
#include "devices/Registers.h"

namespace {
constexpr int kVref = 11224;
constexpr int kVdd = 11225;
constexpr int kStatus = 11323;
constexpr int kConfigure = 11281;

}  // namespace

CVoltageRefPropPage::CVoltageRefPropPage(PageContext& context)
    : CPropPage(context, "Reference Control"), portIO_(&context.Record(Pid::PortIO)) {
    PageBuilder b(this, this);
    b.Group("Voltage Reference Select");
    b.Radio(kVref, "VREF", false);
    b.Radio(kVdd, "VDD", false);
    // Room for the longest pin text on a few lines, so that it is never cut.
    QLabel* status = b.Label(kStatus, "");
    const QFontMetrics metrics = status->fontMetrics();
    status->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("P1.5 is Digital and Not Skipped for VREF:")));
    status->setMinimumHeight(metrics.lineSpacing() * 3 + 2);
    status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    b.Button(kConfigure, "Configure Port I/O");
    b.NextColumn();
    b.Group("Temperature Sensor");
    b.Check(11226, "Enable Temperature Sensor");
    b.Group("Internal Analog Bias Generator");
    b.Check(11227, "Enable Internal Bias Generator");
    b.Group("Internal Reference Buffer");
    b.Check(11229, "Enable Internal Reference Buffer");
    b.Preview();
    Bind({
        {11226, ControlKind::Check, "", "", 0, VoltageReferenceReg::REF0CN, 0x04, 0},
        {11227, ControlKind::Check, "", "", 0, VoltageReferenceReg::REF0CN, 0x02, 0},
        {11229, ControlKind::Check, "", "", 0, VoltageReferenceReg::REF0CN, 0x01, 0},
    });
}

std::string CVoltageRefPropPage::PinStatus() const {
    if (TestBits(VoltageReferenceReg::REF0CN, 0x08)) return {};
    // The VREF pin: P0.7 on the small-package models, P1.5 on the others.
    using namespace portio;
    const int pin = models::IsSmallPackage(DeviceCode()) ? PinFromPortBit(0, 7) : PinFromPortBit(1, 5);
    const auto& regs = portIO_->Registers;
    const bool analog = (regs[MdinPosition(pin)].Value & PinMask(pin)) == 0;
    const bool skipped = (regs[SkipPosition(pin)].Value & PinMask(pin)) != 0;
    return PinName(pin) + " is " + (analog ? "Analog" : "Digital") + " and " +
           (skipped ? "Skipped" : "Not Skipped") + " for VREF: " +
           (analog && skipped ? "Configured Properly" : "NOT Configured Properly");
}

void CVoltageRefPropPage::CheckVrefPin() { SetText(kStatus, PinStatus()); }

void CVoltageRefPropPage::Refresh() {
    RefreshBound();
    const bool vdd = TestBits(VoltageReferenceReg::REF0CN, 0x08);
    CheckRadio(kVref, kVdd, vdd ? kVdd : kVref);
    Enable(kConfigure, !vdd);
    CheckVrefPin();
}

void CVoltageRefPropPage::OnSetActive() {
    CheckVrefPin();
    RefreshPreview();
}

void CVoltageRefPropPage::OnCommand(int id) {
    switch (id) {
        case kVref:
            SetBits(0, VoltageReferenceReg::REF0CN, 0x08);
            CheckRadio(kVref, kVdd, kVref);
            CheckVrefPin();
            Enable(kConfigure, true);
            RefreshPreview();
            break;
        case kVdd:
            SetBits(1, VoltageReferenceReg::REF0CN, 0x08);
            CheckRadio(kVref, kVdd, kVdd);
            SetText(kStatus, "");
            Enable(kConfigure, false);
            RefreshPreview();
            break;
        case kConfigure:
            if (Ctx().OpenSheet(SheetId::PortIO)) CheckVrefPin();
            break;
        default:
            CPropPage::OnCommand(id);
    }
}
