#include "pages/pca/CPca0ModulePropPage.h"

#include <cstdio>

#include <QGroupBox>
#include <QLineEdit>

#include "chip/Crossbar.h"
#include "chip/PcaRecord.h"
#include "chip/TimerMath.h"
#include "devices/Registers.h"
#include "pages/pca/PcaCalculators.h"

namespace {

constexpr int kModeFirst = 11342;
constexpr int kModeLast = 11350;
constexpr int kCcf = 11441;
constexpr int kCrossbarText = 11351;
constexpr int kConfigurePortIO = 11281;
constexpr int kValueButton = 11356;
constexpr int kValueLabel = 11357;
constexpr int kValueUnit = 11360;
constexpr int kValueEdit = 11361;
constexpr int kLock = 11333;
constexpr int kEnableWatchdog = 11334;

constexpr std::uint8_t kNone = pca::kModeNone;
constexpr std::uint8_t kFrequencyOutput = pca::kModeFrequencyOutput;
constexpr std::uint8_t kPwm8 = pca::kModePwm8;
constexpr std::uint8_t kPwm16 = pca::kModePwm16;
// The mode buttons, 11342 to 11350 in order.
constexpr const auto& kModes = pca::kModuleModes;

constexpr PcaModule kModules[] = {
    {0, 11061, 11358, 11359, false}, {1, 11062, 11362, 11363, false},
    {2, 11064, 11391, 11392, false},  {3, 11065, 11393, 11394, false},
    {4, 11063, 11354, 11355, true},
};

}  // namespace

const PcaModule& PcaModuleRow(int number) {
    return kModules[number < 0 || number > 4 ? 0 : number];
}

CPca0ModulePropPage::CPca0ModulePropPage(PageContext& context, int module)
    : CPropPage(context, module == 4 ? "Module 4/WDT" : "Module " + std::to_string(module)),
      module_(PcaModuleRow(module)),
      portIO_(&context.Record(Pid::PortIO)),
      timers_(&context.Record(Pid::Timers)) {
    PageBuilder b = Builder();
    b.Group("Capture/Compare Modules");
    for (int i = 0; i <= kModeLast - kModeFirst; ++i) {
        const std::string caption =
            module_.watchdog && i == 0 ? "Watchdog Timer" : Digit(kModes[i].Caption);
        b.Radio(kModeFirst + i, caption, false);
    }
    if (module_.watchdog) {
        b.Group("Watchdog Timer");
        b.Check(kEnableWatchdog, "Enable Watchdog Timer");
        b.Check(kLock, "Lock Watchdog Timer Enable");
    }
    b.NextColumn();
    b.Group("Capture/Compare Interrupt Enable");
    b.Check(kCcf, "Enable CCF Interrupt").Bit(pca::Cpm(module_.number), 0x01);
    b.Group("PCA Capture/Compare Register (Hex)");
    b.Hex(module_.cphEdit, Digit("PCA0CPH0 (High Byte):"), pca::Cph(module_.number));
    b.Hex(module_.cplEdit, Digit("PCA0CPL0 (Low Byte):"), pca::Cpl(module_.number));
    valueBox_ = b.Group("");
    b.BeginRow();
    b.Label(kValueLabel, "");
    b.Display(kValueEdit, "");
    b.Label(kValueUnit, "");
    b.EndRow();
    b.Button(kValueButton, "");
    b.Group(Digit("CEX0 on the Crossbar"));
    b.Label(kCrossbarText, "");
    b.Button(kConfigurePortIO, "Configure Port I/O");
    b.Preview();
    // Until a mode that has a value is shown, there is no display.
    valueBox_->hide();
    Show(kValueEdit, false);
    Show(kValueButton, false);
}

// The module's own digit in place of the 0 of CEX0, PCA0CPH0 and PCA0CPL0.
std::string CPca0ModulePropPage::Digit(const std::string& text) const {
    std::string out = text;
    const char digit = static_cast<char>('0' + module_.number);
    for (const char* name : {"CEX0", "PCA0CPH0", "PCA0CPL0"}) {
        const std::string key(name);
        for (auto at = out.find(key); at != std::string::npos; at = out.find(key, at + key.size()))
            out[at + key.size() - 1] = digit;
    }
    return out;
}

int CPca0ModulePropPage::Cpm() const {
    return pca::Cpm(module_.number);
}

pca::ClockInputs CPca0ModulePropPage::Inputs() const {
    pca::ClockInputs in;
    in.sysclk = Ctx().Sysclk();
    in.extOsc = Ctx().ExtOsc();
    in.eci = Ctx().Eci();
    if (timers_ && timers_->Registers.size() > TimersReg::TH0) {
        in.ckcon = timers_->Registers[TimersReg::CKCON].Value;
        in.th0 = timers_->Registers[TimersReg::TH0].Value;
    }
    return in;
}

std::uint32_t CPca0ModulePropPage::Clock() const {
    return pca::PcaClock(Value(PcaReg::PCA0MD), Inputs());
}

void CPca0ModulePropPage::ShowCrossbar() {
    const bool on = portIO_ && portIO_->Registers.size() > PortIOReg::XBR1 &&
                    portio::IsCexRouted(*portIO_, module_.number);
    SetText(kCrossbarText,
            Digit(on ? "CEX0 is Enabled on the Crossbar" : "CEX0 is Not Enabled on the Crossbar"));
}

void CPca0ModulePropPage::ShowValue() {
    const std::uint8_t mode = Value(Cpm()) & 0xFE;
    std::string label, unit, button, value;
    if (mode == kPwm8 || mode == kPwm16) {
        label = "Duty Cycle:";
        unit = "%";
        button = "Change Duty Cycle";
        value = pca::DutyCycleText(pca::DutyCyclePercent(
            mode == kPwm16, Value(pca::Cph(module_.number)), Value(pca::Cpl(module_.number))));
    } else if (mode == kFrequencyOutput) {
        label = Digit("CEX0 Frequency:");
        unit = "Hz";
        button = Digit("Change CEX0 Frequency");
        value = std::to_string(pca::CexFrequency(Clock(), Value(pca::Cph(module_.number))));
    } else if (mode == kNone && module_.watchdog) {
        label = "Timeout Interval:";
        unit = "ms";
        button = "Change Timeout Interval";
        value = pca::TimeoutText(pca::WatchdogTimeoutMs(Value(PcaReg::PCA0MD), Inputs(),
                                                        Value(pca::Cpl(4)), Value(PcaReg::PCA0L)));
    } else {
        bool known = false;
        for (const pca::ModuleMode& m : kModes)
            known = known || m.Value == mode;
        if (!known) return;  // a mode no button sets leaves the display as it is
    }
    const bool shown = !button.empty();
    SetText(kValueLabel, label);
    SetText(kValueUnit, unit);
    SetText(kValueButton, button);
    SetText(kValueEdit, value);
    Show(kValueEdit, shown);
    Show(kValueButton, shown);
    valueBox_->setVisible(shown);
}

void CPca0ModulePropPage::Refresh() {
    refreshing_ = true;
    RefreshBound();
    refreshing_ = false;
    const std::uint8_t mode = Value(Cpm()) & 0xFE;
    int checked = 0;
    for (int i = 0; i <= kModeLast - kModeFirst; ++i)
        if (kModes[i].Value == mode) checked = kModeFirst + i;
    for (int id = kModeFirst; id <= kModeLast; ++id)
        Check(id, id == checked);
    ShowCrossbar();
    ShowValue();
}

void CPca0ModulePropPage::ResetRegisters() {
    pca::ResetPcaRecord(*Record());
}

void CPca0ModulePropPage::OnHexChanged(int) {
    ShowValue();
}

bool CPca0ModulePropPage::RunCalculator() {
    const std::uint8_t mode = Value(Cpm()) & 0xFE;
    if (mode == kFrequencyOutput) {
        CCexFrequencyDlg dlg(*Record(), module_.number, Clock());
        return dlg.Run();
    }
    if (mode == kPwm8 || mode == kPwm16) {
        CDutyCycleDlg dlg(*Record(), module_.number, mode == kPwm8 ? 256 : 65536);
        return dlg.Run();
    }
    return false;
}

void CPca0ModulePropPage::AfterCalculator() {
    ShowHex(module_.cphEdit);
    ShowHex(module_.cplEdit);
    ShowValue();
    RefreshPreview();
}

void CPca0ModulePropPage::OnCommand(int id) {
    if (id >= kModeFirst && id <= kModeLast) {
        if (!IsEnabled(id)) return;
        Value(Cpm()) =
            static_cast<std::uint8_t>((Value(Cpm()) & 0x01) | kModes[id - kModeFirst].Value);
        CheckRadio(kModeFirst, kModeLast, id);
        ShowValue();
        RefreshPreview();
    } else if (id == kValueButton) {
        if (RunCalculator()) AfterCalculator();
    } else if (id == kConfigurePortIO) {
        if (Ctx().OpenSheet(SheetId::PortIO)) ShowCrossbar();
    } else {
        CPropPage::OnCommand(id);
    }
}

// ---------------------------------------------------------------- Module 4/WDT

CPca0Module4PropPage::CPca0Module4PropPage(PageContext& context)
    : CPca0ModulePropPage(context, 4) {}

void CPca0Module4PropPage::EnableModeButtons(bool on) {
    for (int id = kModeFirst; id <= kModeLast; ++id)
        Enable(id, on);
}

void CPca0Module4PropPage::ApplyWatchdogRule() {
    pca::ApplyModule4WatchdogRule(*Record(), IsChecked(kEnableWatchdog), IsChecked(kLock));
}

void CPca0Module4PropPage::Refresh() {
    const pca::Watchdog state = pca::WatchdogState(*Record());
    const bool enabled = state != pca::Watchdog::Disabled;
    // While the watchdog runs the module has no other mode.
    if (enabled) Value(Cpm()) &= 0x01;
    CPca0ModulePropPage::Refresh();
    Check(kEnableWatchdog, enabled);
    Enable(kLock, enabled);
    Check(kLock, state == pca::Watchdog::Locked);
    EnableModeButtons(!enabled);
}

void CPca0Module4PropPage::OnHexChanged(int editId) {
    CPca0ModulePropPage::OnHexChanged(editId);
    if (editId == module_.cplEdit && !refreshing_) ApplyWatchdogRule();
}

bool CPca0Module4PropPage::RunCalculator() {
    if ((Value(Cpm()) & 0xFE) != kNone) return CPca0ModulePropPage::RunCalculator();
    const pca::ClockInputs in = Inputs();
    pca::TimeoutInputs clocks;
    clocks.sysclk = in.sysclk;
    clocks.extOsc = in.extOsc;
    clocks.eci = in.eci;
    clocks.timer0Rate = pca::Timer0OverflowRate(in.sysclk, in.ckcon, in.th0);
    CTimeoutIntervalDlg dlg(Ctx(), *Record(), clocks);
    return dlg.Run();
}

void CPca0Module4PropPage::AfterCalculator() {
    CPca0ModulePropPage::AfterCalculator();
    ApplyWatchdogRule();
    RefreshPreview();
}

void CPca0Module4PropPage::OnCommand(int id) {
    if (id == kEnableWatchdog) {
        if (IsChecked(kEnableWatchdog)) {
            pca::SetWatchdogTexts(*Record(), pca::Watchdog::Enabled);
            Value(Cpm()) &= 0x01;
            CheckRadio(kModeFirst, kModeLast, kModeFirst);
            EnableModeButtons(false);
            Enable(kLock, true);
        } else {
            pca::SetWatchdogTexts(*Record(), pca::Watchdog::Disabled);
            EnableModeButtons(true);
            SetBits(0, PcaReg::PCA0MD, pca::kWatchdogLock);
            Check(kLock, false);
            Enable(kLock, false);
        }
        ShowValue();
        ApplyWatchdogRule();
        RefreshPreview();
    } else if (id == kLock) {
        pca::SetWatchdogTexts(*Record(),
                              IsChecked(kLock) ? pca::Watchdog::Locked : pca::Watchdog::Enabled);
        ApplyWatchdogRule();
        RefreshPreview();
    } else {
        CPca0ModulePropPage::OnCommand(id);
    }
}
