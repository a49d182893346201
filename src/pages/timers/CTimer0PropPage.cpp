#include "pages/timers/CTimer0PropPage.h"

#include <QLabel>

#include "pages/timers/CBitRateDlg.h"
#include "pages/timers/TimerMath.h"

using namespace timerids;
using namespace timers;

namespace {

constexpr int kEnable = 11099;
constexpr int kGate = 11100;
constexpr int kLevel = 11101;
constexpr int kEdge = 11102;
constexpr int kConfigureInt0 = 11121;
constexpr int kTh0Enable = 11126;
constexpr int kTh0Sysclk = 11128;
constexpr int kTh0Prescaled = 11129;
constexpr int kTh0Edit = 11122;
constexpr int kTl0Edit = 11109;
constexpr int kIntText = 11251;
constexpr int kInt0Pin = 11325;
constexpr int kConfigureT0 = 11117;

constexpr std::uint8_t kTmodMode = 0x03;
constexpr std::uint8_t kTmodCounter = 0x04;
constexpr std::uint8_t kTmodGate = 0x08;
constexpr std::uint8_t kTconRun = 0x10;
constexpr std::uint8_t kTconEdge = 0x01;
constexpr std::uint8_t kTconTh0Run = 0x40;

}  // namespace

CTimer0PropPage::CTimer0PropPage(PeripheralRecord* interrupts, PeripheralRecord* portIO)
    : CTimerPropPage("Timer 0", interrupts, portIO) {
    PageBuilder b(this, this);
    b.Group("Timer Mode");
    b.Radio(kMode0, "13 Bit Counter/Timer", false);
    b.Radio(kMode1, "16 Bit Counter/Timer", false);
    b.Radio(kMode2, "8 Bit Counter/Timer Auto-Reload", false);
    b.Radio(kMode3, "Two 8 Bit Counter/Timers", false);
    b.Group("Prescaled Clock Inputs");
    b.Radio(kPre12, "SYSCLK / 12", false);
    b.Radio(kPre4, "SYSCLK / 4", false);
    b.Radio(kPre48, "SYSCLK / 48", false);
    b.Radio(kPreExt, "External Oscillator / 8", false);
    b.Group("Clock Source (TL0 in Mode 3)");
    b.Radio(kSrcSysclk, "SYSCLK", false);
    b.Radio(kSrcPrescaled, "Prescaled Clock Input (Above)", false);
    b.Radio(kSrcExternal, "External T0", false);
    b.Button(kConfigureT0, "Configure External T0");

    b.NextColumn();
    b.Group("Timer Control");
    b.Check(kEnable, "Enable Timer (TL0 in Mode 3)");
    b.Check(kGate, "Gate Timer Depending on /INT0");
    b.Radio(kLevel, "/INT0 is Level Triggered", false);
    b.Radio(kEdge, "/INT0 is Edge Triggered", false);
    b.Label(kInt0Pin, "")->setWordWrap(false);
    b.Button(kConfigureInt0, "Configure /INT0 Ports");
    b.Group("TH0 (Mode 3 Only)");
    b.Check(kTh0Enable, "Enable Timer TH0 (Mode 3 Only)");
    b.Radio(kTh0Sysclk, "SYSCLK", false);
    b.Radio(kTh0Prescaled, "Prescaled Clock Input (Left)", false);
    b.Group("Timer Initial Value (Hex)");
    AddHexEdit(b, kTh0Edit, "TH0 (High Byte - Reload Val in Mode 2):");
    AddHexEdit(b, kTl0Edit, "TL0 (Low Byte):");

    b.NextColumn();
    AddInterruptGroup(b, kIntText);
    b.Group("Bit Rate for SMBus");
    AddDisplay(b, kBitRate, "Hz", kChangeBitRate, "Change Bit Rate");
    b.Preview();

    Bind({{kEnable, ControlKind::Check, "", "", 0, kTcon, kTconRun, 0}});
    BindHex(kTh0Edit, kTh0);
    BindHex(kTl0Edit, kTl0);
}

void CTimer0PropPage::EnablePrescalers(bool on) {
    for (int id = kPre12; id <= kPreExt; ++id)
        Enable(id, on);
}

void CTimer0PropPage::FixPrescalerAt12() {
    CheckRadio(kPre12, kPreExt, kPre12);
    SetField(kCkcon, kCkconPrescale, 0);
    EnablePrescalers(false);
}

void CTimer0PropPage::Refresh() {
    RefreshBound();
    const int mode = Value(kTmod) & kTmodMode;
    CheckRadio(kMode0, kMode3, kMode0 + mode);
    CheckRadio(kPre12, kPreExt, kPre12 + (Value(kCkcon) & kCkconPrescale));
    const int source = TestBits(kTmod, kTmodCounter)      ? kSrcExternal
                       : TestBits(kCkcon, kCkconT0Sysclk) ? kSrcSysclk
                                                          : kSrcPrescaled;
    CheckRadio(kSrcSysclk, kSrcExternal, source);
    EnablePrescalers(source == kSrcPrescaled);

    const bool gated = TestBits(kTmod, kTmodGate);
    Check(kGate, gated);
    CheckRadio(kLevel, kEdge, TestBits(kTcon, kTconEdge) ? kEdge : kLevel);
    Enable(kLevel, gated);
    Enable(kEdge, gated);
    Enable(kConfigureInt0, gated);

    if (mode != 3) {
        CheckRadio(kTh0Sysclk, kTh0Prescaled, kTh0Prescaled);
        Enable(kTh0Enable, false);
        Enable(kTh0Sysclk, false);
        Enable(kTh0Prescaled, false);
    } else {
        Check(kTh0Enable, TestBits(kTcon, kTconTh0Run));
        CheckRadio(kTh0Sysclk, kTh0Prescaled,
                   TestBits(kCkcon, kCkconT0Sysclk) ? kTh0Sysclk : kTh0Prescaled);
        Enable(kTh0Enable, true);
        Enable(kTh0Sysclk, true);
        Enable(kTh0Prescaled, true);
    }
    UpdateDisplays();
    UpdateTexts();
}

void CTimer0PropPage::UpdateTexts() {
    ShowInterruptText(kIntText, 0, 6, 0x02);
    ShowIntPinText(kInt0Pin, 0, TestBits(kTmod, kTmodGate));
}

void CTimer0PropPage::UpdateDisplays() {
    ShowNumber(kBitRate, SmbusBitRate(Timer01Clock(Sysclk(), Value(kCkcon), 0), Value(kTh0)));
}

void CTimer0PropPage::OnHexChanged(int editId) {
    if (editId == kTh0Edit) UpdateDisplays();
}

void CTimer0PropPage::SetMode(int id) {
    const int mode = id - kMode0;
    SetField(kTmod, kTmodMode, static_cast<std::uint8_t>(mode));
    CheckRadio(kMode0, kMode3, id);
    const bool mode3 = mode == 3;
    Enable(kTh0Enable, mode3);
    Enable(kTh0Sysclk, mode3);
    Enable(kTh0Prescaled, mode3);
    if (mode == 1 || mode == 2) CheckRadio(kTh0Sysclk, kTh0Prescaled, kTh0Prescaled);
}

void CTimer0PropPage::SetPrescaler(int id) {
    SetField(kCkcon, kCkconPrescale, static_cast<std::uint8_t>(id - kPre12));
    CheckRadio(kPre12, kPreExt, id);
    UpdateDisplays();
}

void CTimer0PropPage::SetGate(bool on) {
    SetBits(on, kTmod, kTmodGate);
    Check(kGate, on);
    if (!on) {
        CheckRadio(kLevel, kEdge, kLevel);
        SetBits(0, kTcon, kTconEdge);
    }
    Enable(kLevel, on);
    Enable(kEdge, on);
    Enable(kConfigureInt0, on);
    UpdateTexts();
}

void CTimer0PropPage::ChangeBitRate() {
    if (!ActiveDocument()) return;
    CBitRateDlg dlg(*ActiveDocument(), *Record(), kChoice0H);
    if (dlg.Run()) {
        // A reload was written: Timer 0 becomes a free-running 8-bit auto-reload timer.
        PrepareTimerForRate(*Record(), 0);
        Refresh();
    }
    UpdateDisplays();
    RefreshPreview();
}

void CTimer0PropPage::OnCommand(int id) {
    switch (id) {
        case kMode0:
        case kMode1:
        case kMode2:
        case kMode3:
            SetMode(id);
            break;
        case kPre12:
        case kPre4:
        case kPre48:
        case kPreExt:
            SetPrescaler(id);
            break;
        case kSrcSysclk:
            CheckRadio(kSrcSysclk, kSrcExternal, id);
            SetBits(0, kTmod, kTmodCounter);
            SetBits(1, kCkcon, kCkconT0Sysclk);
            CheckRadio(kTh0Sysclk, kTh0Prescaled, kTh0Sysclk);
            FixPrescalerAt12();
            UpdateDisplays();
            break;
        case kSrcPrescaled:
            CheckRadio(kSrcSysclk, kSrcExternal, id);
            SetBits(0, kTmod, kTmodCounter);
            SetBits(0, kCkcon, kCkconT0Sysclk);
            CheckRadio(kTh0Sysclk, kTh0Prescaled, kTh0Prescaled);
            EnablePrescalers(true);
            UpdateDisplays();
            break;
        case kSrcExternal:
            CheckRadio(kSrcSysclk, kSrcExternal, id);
            SetBits(1, kTmod, kTmodCounter);
            SetBits(0, kCkcon, kCkconT0Sysclk);
            if ((Value(kTmod) & kTmodMode) != 3)
                CheckRadio(kTh0Sysclk, kTh0Prescaled, kTh0Prescaled);
            // With TH0 not running on its own, the prescaler has nothing to clock.
            if (IsChecked(kTh0Prescaled) && !IsChecked(kTh0Enable)) FixPrescalerAt12();
            UpdateDisplays();
            break;
        case kGate:
            SetGate(IsChecked(kGate));
            break;
        case kLevel:
        case kEdge:
            CheckRadio(kLevel, kEdge, id);
            SetBits(id == kEdge, kTcon, kTconEdge);
            break;
        case kTh0Enable: {
            const bool on = IsChecked(kTh0Enable);
            SetBits(on, kTcon, kTconTh0Run);
            Enable(kTh0Sysclk, on);
            Enable(kTh0Prescaled, on);
            break;
        }
        case kTh0Sysclk:
            CheckRadio(kTh0Sysclk, kTh0Prescaled, id);
            SetBits(1, kCkcon, kCkconT0Sysclk);
            if (!IsChecked(kSrcExternal)) CheckRadio(kSrcSysclk, kSrcExternal, kSrcSysclk);
            if (!IsChecked(kSrcPrescaled)) FixPrescalerAt12();
            UpdateDisplays();
            break;
        case kTh0Prescaled:
            CheckRadio(kTh0Sysclk, kTh0Prescaled, id);
            SetBits(0, kCkcon, kCkconT0Sysclk);
            if (!IsChecked(kSrcExternal)) CheckRadio(kSrcSysclk, kSrcExternal, kSrcPrescaled);
            EnablePrescalers(true);
            UpdateDisplays();
            break;
        case kConfigureInterrupts:
            ConfigureInterrupts();
            return;
        case kConfigureInt0:
            ConfigureExternalInterrupts();
            return;
        case kConfigureT0:
            ConfigurePortIO();
            return;
        case kChangeBitRate:
            ChangeBitRate();
            return;
        default:
            CPropPage::OnCommand(id);
            return;
    }
    RefreshPreview();
}
