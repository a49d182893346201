#include "pages/timers/CTimer01PropPage.h"

#include <QLabel>

#include "chip/TimerMath.h"
#include "devices/Registers.h"
#include "pages/common/CRateCalculatorDlg.h"

using namespace timerids;
using namespace timers;

namespace {

// TH0 in mode 3.
constexpr int kTh0Enable = 11126;
constexpr int kTh0Sysclk = 11128;
constexpr int kTh0Prescaled = 11129;
constexpr std::uint8_t kTconTh0Run = 0x40;

// Timer 1's UART0 baud rate.
constexpr int kBaudRate = 11167;
constexpr int kChangeBaudRate = 11157;

const CTimer01PropPage::Layout kTimer0 = {
    .timer = 0, .caption = "Timer 0", .mode3Text = "Two 8 Bit Counter/Timers",
    .sourceGroup = "Clock Source (TL0 in Mode 3)", .enableText = "Enable Timer (TL0 in Mode 3)",
    .enableId = 11099, .gateId = 11100, .levelId = 11101, .edgeId = 11102,
    .configureIntId = 11121, .pinId = 11325, .configureExtId = 11117,
    .thId = 11122, .tlId = 11109, .thPos = TimersReg::TH0, .tlPos = TimersReg::TL0,
    .intTextId = 11251, .intMask = 0x02, .modeShift = 0,
    .tmodCounter = 0x04, .tmodGate = 0x08, .tconRun = 0x10, .tconEdge = 0x01,
    .ckconSysclk = kCkconT0Sysclk,
};

const CTimer01PropPage::Layout kTimer1 = {
    .timer = 1, .caption = "Timer 1", .mode3Text = "Timer 1 Disabled",
    .sourceGroup = "Clock Source", .enableText = "Enable Timer",
    .enableId = 11119, .gateId = 11118, .levelId = 11111, .edgeId = 11112,
    .configureIntId = 11114, .pinId = 11326, .configureExtId = 11116,
    .thId = 11123, .tlId = 11124, .thPos = TimersReg::TH1, .tlPos = TimersReg::TL1,
    .intTextId = 11252, .intMask = 0x08, .modeShift = 4,
    .tmodCounter = 0x40, .tmodGate = 0x80, .tconRun = 0x40, .tconEdge = 0x04,
    .ckconSysclk = kCkconT1Sysclk,
};

}  // namespace

CTimer0PropPage::CTimer0PropPage(PageContext& context) : CTimer01PropPage(context, kTimer0) {}

CTimer1PropPage::CTimer1PropPage(PageContext& context) : CTimer01PropPage(context, kTimer1) {}

CTimer01PropPage::CTimer01PropPage(PageContext& context, const Layout& layout)
    : CTimerPropPage(context, layout.caption, true), l_(layout) {
    const std::string n = std::to_string(l_.timer);
    const std::string intN = "/INT" + n;
    PageBuilder b = Builder();
    b.Group("Timer Mode");
    b.Radio(kMode0, "13 Bit Counter/Timer", false);
    b.Radio(kMode1, "16 Bit Counter/Timer", false);
    b.Radio(kMode2, "8 Bit Counter/Timer Auto-Reload", false);
    b.Radio(kMode3, l_.mode3Text, false);
    b.Group("Prescaled Clock Inputs");
    b.Radio(kPre12, "SYSCLK / 12", false);
    b.Radio(kPre4, "SYSCLK / 4", false);
    b.Radio(kPre48, "SYSCLK / 48", false);
    b.Radio(kPreExt, "External Oscillator / 8", false);
    b.Group(l_.sourceGroup);
    b.Radio(kSrcSysclk, "SYSCLK", false);
    b.Radio(kSrcPrescaled, "Prescaled Clock Input (Above)", false);
    b.Radio(kSrcExternal, "External T" + n, false);
    b.Button(l_.configureExtId, "Configure External T" + n);

    b.NextColumn();
    b.Group("Timer Control");
    b.Check(l_.enableId, l_.enableText).Bit(TimersReg::TCON, l_.tconRun);
    b.Check(l_.gateId, "Gate Timer Depending on " + intN);
    b.Radio(l_.levelId, intN + " is Level Triggered", false);
    b.Radio(l_.edgeId, intN + " is Edge Triggered", false);
    b.Status(l_.pinId);
    b.Button(l_.configureIntId, "Configure " + intN + " Ports");
    if (HasTh0()) {
        b.Group("TH0 (Mode 3 Only)");
        b.Check(kTh0Enable, "Enable Timer TH0 (Mode 3 Only)");
        b.Radio(kTh0Sysclk, "SYSCLK", false);
        b.Radio(kTh0Prescaled, "Prescaled Clock Input (Left)", false);
    }
    b.Group("Timer Initial Value (Hex)");
    AddHexEdit(b, l_.thId, "TH" + n + " (High Byte - Reload Val in Mode 2):", l_.thPos);
    AddHexEdit(b, l_.tlId, "TL" + n + " (Low Byte):", l_.tlPos);

    b.NextColumn();
    AddInterruptGroup(b, l_.intTextId);
    if (!HasTh0()) {
        b.Group("Baud Rate for UART");
        AddDisplay(b, kBaudRate, "bps", kChangeBaudRate, "Change Baud Rate");
    }
    b.Group("Bit Rate for SMBus");
    AddDisplay(b, kBitRate, "Hz", kChangeBitRate, "Change Bit Rate");
    b.Preview();
}

int CTimer01PropPage::Mode() const {
    return (Value(TimersReg::TMOD) >> l_.modeShift) & 0x03;
}

void CTimer01PropPage::EnablePrescalers(bool on) {
    for (int id = kPre12; id <= kPreExt; ++id)
        Enable(id, on);
}

void CTimer01PropPage::FixPrescalerAt12() {
    CheckRadio(kPre12, kPreExt, kPre12);
    SetField(TimersReg::CKCON, kCkconPrescale, 0);
    EnablePrescalers(false);
}

void CTimer01PropPage::EnableTh0Controls(bool on) {
    Enable(kTh0Enable, on);
    Enable(kTh0Sysclk, on);
    Enable(kTh0Prescaled, on);
}

void CTimer01PropPage::Refresh() {
    RefreshBound();
    const int mode = Mode();
    CheckRadio(kMode0, kMode3, kMode0 + mode);
    CheckRadio(kPre12, kPreExt, kPre12 + (Value(TimersReg::CKCON) & kCkconPrescale));
    const int source = TestBits(TimersReg::TMOD, l_.tmodCounter)    ? kSrcExternal
                       : TestBits(TimersReg::CKCON, l_.ckconSysclk) ? kSrcSysclk
                                                                    : kSrcPrescaled;
    CheckRadio(kSrcSysclk, kSrcExternal, source);
    EnablePrescalers(source == kSrcPrescaled);

    const bool gated = TestBits(TimersReg::TMOD, l_.tmodGate);
    Check(l_.gateId, gated);
    CheckRadio(l_.levelId, l_.edgeId,
               TestBits(TimersReg::TCON, l_.tconEdge) ? l_.edgeId : l_.levelId);
    Enable(l_.levelId, gated);
    Enable(l_.edgeId, gated);
    Enable(l_.configureIntId, gated);

    if (HasTh0()) {
        if (mode != 3) {
            CheckRadio(kTh0Sysclk, kTh0Prescaled, kTh0Prescaled);
        } else {
            Check(kTh0Enable, TestBits(TimersReg::TCON, kTconTh0Run));
            CheckRadio(kTh0Sysclk, kTh0Prescaled,
                       TestBits(TimersReg::CKCON, kCkconT0Sysclk) ? kTh0Sysclk : kTh0Prescaled);
        }
        EnableTh0Controls(mode == 3);
    }
    UpdateDisplays();
    UpdateTexts();
}

void CTimer01PropPage::UpdateTexts() {
    ShowInterruptText(l_.intTextId, l_.timer, InterruptsReg::IE, l_.intMask);
    ShowIntPinText(l_.pinId, l_.timer, TestBits(TimersReg::TMOD, l_.tmodGate));
}

void CTimer01PropPage::UpdateDisplays() {
    const std::uint32_t clock = Timer01Clock(Sysclk(), Value(TimersReg::CKCON), l_.timer);
    const std::uint8_t reload = Value(l_.thPos);
    if (!HasTh0()) ShowNumber(kBaudRate, Uart0BaudRate(clock, reload));
    ShowNumber(kBitRate, SmbusBitRate(clock, reload));
}

void CTimer01PropPage::OnHexChanged(int editId) {
    // The displays follow the reload (TH); Timer 1 also updates them on TL.
    if (editId == l_.thId || !HasTh0()) UpdateDisplays();
}

void CTimer01PropPage::SetMode(int id) {
    const int mode = id - kMode0;
    SetField(TimersReg::TMOD, static_cast<std::uint8_t>(0x03 << l_.modeShift),
             static_cast<std::uint8_t>(mode << l_.modeShift));
    CheckRadio(kMode0, kMode3, id);
    if (!HasTh0()) return;
    EnableTh0Controls(mode == 3);
    if (mode == 1 || mode == 2) CheckRadio(kTh0Sysclk, kTh0Prescaled, kTh0Prescaled);
}

void CTimer01PropPage::SetSource(int id) {
    CheckRadio(kSrcSysclk, kSrcExternal, id);
    SetBits(id == kSrcExternal, TimersReg::TMOD, l_.tmodCounter);
    SetBits(id == kSrcSysclk, TimersReg::CKCON, l_.ckconSysclk);
    if (id == kSrcSysclk) {
        // On Timer 0 the SYSCLK bit clocks TH0 too.
        if (HasTh0()) CheckRadio(kTh0Sysclk, kTh0Prescaled, kTh0Sysclk);
        FixPrescalerAt12();
    } else if (id == kSrcPrescaled) {
        if (HasTh0()) CheckRadio(kTh0Sysclk, kTh0Prescaled, kTh0Prescaled);
        EnablePrescalers(true);
    } else if (!HasTh0()) {
        FixPrescalerAt12();
    } else {
        if (Mode() != 3) CheckRadio(kTh0Sysclk, kTh0Prescaled, kTh0Prescaled);
        // With TH0 not running on its own, the prescaler has nothing to clock.
        if (IsChecked(kTh0Prescaled) && !IsChecked(kTh0Enable)) FixPrescalerAt12();
    }
    UpdateDisplays();
}

void CTimer01PropPage::SetTh0Clock(int id) {
    CheckRadio(kTh0Sysclk, kTh0Prescaled, id);
    const bool sysclk = id == kTh0Sysclk;
    SetBits(sysclk, TimersReg::CKCON, kCkconT0Sysclk);
    if (!IsChecked(kSrcExternal))
        CheckRadio(kSrcSysclk, kSrcExternal, sysclk ? kSrcSysclk : kSrcPrescaled);
    if (!sysclk)
        EnablePrescalers(true);
    else if (!IsChecked(kSrcPrescaled))
        FixPrescalerAt12();
    UpdateDisplays();
}

void CTimer01PropPage::SetGate(bool on) {
    SetBits(on, TimersReg::TMOD, l_.tmodGate);
    Check(l_.gateId, on);
    if (!on) {
        CheckRadio(l_.levelId, l_.edgeId, l_.levelId);
        SetBits(0, TimersReg::TCON, l_.tconEdge);
    }
    Enable(l_.levelId, on);
    Enable(l_.edgeId, on);
    Enable(l_.configureIntId, on);
    UpdateTexts();
}

void CTimer01PropPage::ChangeRate(bool baud) {
    CRateCalculatorDlg dlg(Ctx(), *Record(),
                           baud ? RateKind::Timer1Baud : RateKind::BitRate,
                           l_.timer == 0 ? kChoice0H : kChoice1H);
    if (dlg.Run()) {
        // A reload was written: the timer becomes a free-running 8-bit auto-reload timer.
        PrepareTimerForRate(*Record(), l_.timer);
        Refresh();
    }
    UpdateDisplays();
    RefreshPreview();
}

void CTimer01PropPage::OnCommand(int id) {
    if (id >= kMode0 && id <= kMode3) {
        SetMode(id);
    } else if (id >= kPre12 && id <= kPreExt) {
        SetField(TimersReg::CKCON, kCkconPrescale, static_cast<std::uint8_t>(id - kPre12));
        CheckRadio(kPre12, kPreExt, id);
        UpdateDisplays();
    } else if (id >= kSrcSysclk && id <= kSrcExternal) {
        SetSource(id);
    } else if (id == l_.gateId) {
        SetGate(IsChecked(l_.gateId));
    } else if (id == l_.levelId || id == l_.edgeId) {
        CheckRadio(l_.levelId, l_.edgeId, id);
        SetBits(id == l_.edgeId, TimersReg::TCON, l_.tconEdge);
    } else if (HasTh0() && id == kTh0Enable) {
        const bool on = IsChecked(kTh0Enable);
        SetBits(on, TimersReg::TCON, kTconTh0Run);
        Enable(kTh0Sysclk, on);
        Enable(kTh0Prescaled, on);
    } else if (HasTh0() && (id == kTh0Sysclk || id == kTh0Prescaled)) {
        SetTh0Clock(id);
    } else if (id == kConfigureInterrupts) {
        ConfigureInterrupts();
        return;
    } else if (id == l_.configureIntId) {
        ConfigureExternalInterrupts();
        return;
    } else if (id == l_.configureExtId) {
        ConfigurePortIO();
        return;
    } else if (!HasTh0() && id == kChangeBaudRate) {
        ChangeRate(true);
        return;
    } else if (id == kChangeBitRate) {
        ChangeRate(false);
        return;
    } else {
        CPropPage::OnCommand(id);
        return;
    }
    RefreshPreview();
}
