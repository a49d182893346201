#include "pages/system/CVoltageRefPropPage.h"

#include <QFontMetrics>
#include <QLabel>

#include "chip/PinCheck.h"
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
    using VoltageReferenceReg::REF0CN;
    PageBuilder b = Builder();
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
    b.Check(11226, "Enable Temperature Sensor").Bit(REF0CN, 0x04);
    b.Group("Internal Analog Bias Generator");
    b.Check(11227, "Enable Internal Bias Generator").Bit(REF0CN, 0x02);
    b.Group("Internal Reference Buffer");
    b.Check(11229, "Enable Internal Reference Buffer").Bit(REF0CN, 0x01);
    b.Preview();
}

std::string CVoltageRefPropPage::PinStatus() const {
    if (TestBits(VoltageReferenceReg::REF0CN, 0x08)) return {};
    return analog::VrefPinText(models::IsSmallPackage(DeviceCode()), *portIO_);
}

void CVoltageRefPropPage::CheckVrefPin() { SetText(kStatus, PinStatus()); }

void CVoltageRefPropPage::Refresh() {
    RefreshBound();
    const bool vdd = TestBits(VoltageReferenceReg::REF0CN, 0x08);
    CheckRadio(kVref, kVdd, vdd ? kVdd : kVref);
    Enable(kConfigure, !vdd);
    CheckVrefPin();
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
