#include "pages/clock/COscExtPropPage.h"

#include "chip/Crossbar.h"
#include "chip/OscText.h"
#include "devices/Models.h"
#include "devices/Registers.h"
#include "model/Ui.h"

namespace {

constexpr int kFirstMode = 11176;  // up to 11182
constexpr int kLastMode = 11182;
constexpr int kFirstFreq = 11183;  // bits 000 .. 111, up to 11190
constexpr int kLastFreq = 11190;
constexpr int kFrequency = 11174;
constexpr int kConfigure = 11281;
constexpr int kXtal1 = 11327;
constexpr int kXtal2 = 11328;

constexpr std::uint8_t kModes[7] = {osc::kModeOff,        osc::kModeCmos,      osc::kModeCmosHalf,
                                    osc::kModeRc,         osc::kModeCapacitor, osc::kModeCrystal,
                                    osc::kModeCrystalHalf};

int ModeIndex(std::uint8_t oscxcn) {
    for (int i = 0; i < 7; ++i)
        if (kModes[i] == (oscxcn & osc::kModeMask)) return i;
    return -1;
}

}  // namespace

COscExtPropPage::COscExtPropPage(PageContext& context)
    : COscPage(context, "External Oscillator"), portIO_(&context.Record(Pid::PortIO)) {
    PageBuilder b = Builder();
    b.Group("External Oscillator Mode");
    const char* modes[7] = {"External Oscillator Off", "External CMOS",        "External CMOS / 2 ",
                            "RC Oscillator",           "Capacitor Oscillator", "Crystal Oscillator",
                            "Crystal Oscillator / 2"};
    for (int i = 0; i < 7; ++i)
        b.Radio(kFirstMode + i, modes[i], false);
    b.Group("External Oscillator Frequency");
    b.Edit(kFrequency, "", "Hz");
    b.Group("XTAL Pins");
    b.Label(kXtal1, "");
    b.Label(kXtal2, "");
    b.Button(kConfigure, "Configure Port I/O");
    b.NextColumn();
    b.Group("Frequency Control Bits");
    // Wide enough for the longest label of any set.
    for (int i = 0; i < 8; ++i)
        b.Radio(kFirstFreq + i, "590kHz   < f <= 1.5MHz", false);
    b.Stretch();
    b.Preview();
}

void COscExtPropPage::ApplyLabelSet() {
    const osc::LabelSet set = osc::LabelSetFor(Value(OscillatorReg::OSCXCN));
    const auto& labels = osc::FrequencyLabels(set);
    const bool used = set != osc::LabelSet::Unused;
    for (int i = 0; i < 8; ++i) {
        SetText(kFirstFreq + i, labels[static_cast<std::size_t>(i)]);
        Enable(kFirstFreq + i, used);
    }
    if (!used) {
        // Off and CMOS modes use no frequency control.
        SetField(OscillatorReg::OSCXCN, osc::kFreqControlMask, 0);
        CheckRadio(kFirstFreq, kLastFreq, kFirstFreq);
    }
}

void COscExtPropPage::UpdateXtalTexts() {
    const std::uint8_t oscxcn = Value(OscillatorReg::OSCXCN);
    // Without a Port I/O record the pins read as after reset: digital, not skipped.
    std::uint8_t mdin = 0xFF, skip = 0x00;
    if (portIO_ && portIO_->Registers.size() > PortIOReg::P0SKIP) {
        mdin = portIO_->Registers[PortIOReg::P0MDIN].Value;
        skip = portIO_->Registers[PortIOReg::P0SKIP].Value;
    }
    const auto texts = osc::XtalPinTexts(oscxcn, models::IsSmallPackage(DeviceCode()), mdin, skip);
    SetText(kXtal1, texts.xtal1);
    SetText(kXtal2, texts.xtal2);
    Enable(kConfigure, (oscxcn & osc::kModeMask) != osc::kModeOff);
}

void COscExtPropPage::Refresh() {
    CheckIndex(kFirstMode, kLastMode, ModeIndex(Value(OscillatorReg::OSCXCN)));
    ApplyLabelSet();
    CheckIndex(kFirstFreq, kLastFreq, Value(OscillatorReg::OSCXCN) & osc::kFreqControlMask);
    // Showing the stored frequency is not an entry: it recomputes nothing.
    showingFrequency_ = true;
    SetText(kFrequency, osc::Decimal(Ctx().ExtOsc()));
    showingFrequency_ = false;
    UpdateXtalTexts();
}

void COscExtPropPage::OnCommand(int id) {
    if (id >= kFirstMode && id <= kLastMode) {
        SetField(OscillatorReg::OSCXCN, osc::kModeMask, kModes[id - kFirstMode]);
        CheckRadio(kFirstMode, kLastMode, id);
        osc::ApplyExternalModeCode(*Record());
        ApplyLabelSet();
        UpdateXtalTexts();
        StoreSysclk(osc::RecomputeB(Regs(), ClockValues()));
        RefreshPreview();
    } else if (id >= kFirstFreq && id <= kLastFreq) {
        SetField(OscillatorReg::OSCXCN, osc::kFreqControlMask,
                 static_cast<std::uint8_t>(id - kFirstFreq));
        CheckRadio(kFirstFreq, kLastFreq, id);
        RefreshPreview();
    } else if (id == kConfigure) {
        if (Ctx().OpenSheet(SheetId::PortIO)) UpdateXtalTexts();
    } else {
        COscPage::OnCommand(id);
    }
}

void COscExtPropPage::OnEditChange(int id) {
    COscPage::OnEditChange(id);
    if (id != kFrequency || showingFrequency_) return;
    Ctx().SetExtOsc(osc::FrequencyFromText(Text(kFrequency)));
    StoreSysclk(osc::RecomputeB(Regs(), ClockValues()));
}

void COscExtPropPage::OnOK() {
    // The sheet still closes: the message only warns.
    if (!osc::IsSourceFrequencyValid(Regs().Source(), osc::LeadingInteger(Text(kFrequency))))
        TheUi().Message(osc::kInvalidFrequencyMessage, MsgButtons::Ok, MsgIcon::Question);
}
