#include "pages/system/CVoltageRefPropPage.h"

#include "devices/Models.h"
#include "pages/portio/PortIOSheet.h"

namespace {

constexpr int kRef0cn = 0;
constexpr int kVref = 11224;
constexpr int kVdd = 11225;
constexpr int kStatus = 11323;
constexpr int kConfigure = 11281;
// Port I/O positions.
constexpr int kP0Mdin = 0, kP1Mdin = 1, kP0Skip = 10, kP1Skip = 11;

}  // namespace

CVoltageRefPropPage::CVoltageRefPropPage(PeripheralRecord* portIO)
    : CPropPage("Reference Control"), portIO_(portIO) {
    PageBuilder b(this, this);
    b.Group("Voltage Reference Select");
    b.Radio(kVref, "VREF", false);
    b.Radio(kVdd, "VDD", false);
    b.Label(kStatus, "");
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
        {11226, ControlKind::Check, "", "", 0, kRef0cn, 0x04, 0},
        {11227, ControlKind::Check, "", "", 0, kRef0cn, 0x02, 0},
        {11229, ControlKind::Check, "", "", 0, kRef0cn, 0x01, 0},
    });
}

std::string CVoltageRefPropPage::PinStatus() const {
    if (TestBits(kRef0cn, 0x08)) return {};
    // The VREF pin: P0.7 on the small-package models, P1.5 on the others.
    const bool small = models::IsSmallPackage(DeviceCode());
    const char* pin = small ? "P0.7" : "P1.5";
    const int mdin = small ? kP0Mdin : kP1Mdin;
    const int skip = small ? kP0Skip : kP1Skip;
    const std::uint8_t mask = small ? 0x80 : 0x20;
    const auto& regs = portIO_->Registers;
    const bool analog = (regs[mdin].Value & mask) == 0;
    const bool skipped = (regs[skip].Value & mask) != 0;
    return std::string(pin) + " is " + (analog ? "Analog" : "Digital") + " and " +
           (skipped ? "Skipped" : "Not Skipped") + " for VREF: " +
           (analog && skipped ? "Configured Properly" : "NOT Configured Properly");
}

void CVoltageRefPropPage::CheckVrefPin() { SetText(kStatus, PinStatus()); }

void CVoltageRefPropPage::Refresh() {
    RefreshBound();
    const bool vdd = TestBits(kRef0cn, 0x08);
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
            SetBits(0, kRef0cn, 0x08);
            CheckRadio(kVref, kVdd, kVref);
            CheckVrefPin();
            Enable(kConfigure, true);
            RefreshPreview();
            break;
        case kVdd:
            SetBits(1, kRef0cn, 0x08);
            CheckRadio(kVref, kVdd, kVdd);
            SetText(kStatus, "");
            Enable(kConfigure, false);
            RefreshPreview();
            break;
        case kConfigure:
            if (RunPortIOSheet(*ActiveDocument(), portIO_)) CheckVrefPin();
            break;
        default:
            CPropPage::OnCommand(id);
    }
}
