#include "pages/serial/CSMBusPropPage.h"

#include <string>

#include "chip/SerialMath.h"
#include "chip/TimerMath.h"
#include "devices/Registers.h"

namespace {
constexpr std::uint8_t kSclTimeoutBit = 0x08;
constexpr std::uint8_t kSourceMask = 0x03;

// Interrupt record EIE1 bit 0; Port I/O record XBR0 bit 2.
const CSerialPropPage::Links kLinks = {
    .unit = "SMBus",
    .bus = "SMBus",
    .interruptText = CSMBusPropPage::kInterruptText,
    .configureInterrupts = CSMBusPropPage::kConfigureInterrupts,
    .interruptRegister = InterruptsReg::EIE1,
    .interruptMask = 0x01,
    .crossbarText = CSMBusPropPage::kCrossbarText,
    .crossbarRegister = PortIOReg::XBR0,
    .crossbarMask = 0x04,
};

// The timer registers the page reads (positions in the timer record).
serial::TimerRegisters TimerValues(const PeripheralRecord* timers) {
    serial::TimerRegisters t{};
    if (!timers || timers->Registers.size() <= static_cast<std::size_t>(TimersReg::TMR3RLH))
        return t;
    auto v = [&](int position) { return timers->Registers[position].Value; };
    t.ckcon = v(TimersReg::CKCON);
    t.th0 = v(TimersReg::TH0);
    t.th1 = v(TimersReg::TH1);
    t.tmr2rll = v(TimersReg::TMR2RLL);
    t.tmr2rlh = v(TimersReg::TMR2RLH);
    t.tmr3rll = v(TimersReg::TMR3RLL);
    t.tmr3rlh = v(TimersReg::TMR3RLH);
    return t;
}

}  // namespace

CSMBusPropPage::CSMBusPropPage(PageContext& context)
    : CSerialPropPage(context, "SMBus", kLinks), timers_(&context.Record(Pid::Timers)) {
    using SmbusReg::SMB0CF;
    PageBuilder b = Builder();
    b.Group("SMBus Enable");
    b.Check(kEnable, "Enable SMBus").Bit(SMB0CF, 0x80);
    b.Group("SMBus Slave Inhibit");
    b.Check(kInhibitSlave, "Inhibit Slave").Bit(SMB0CF, 0x40);
    b.Group("SDA Extended Setup and Hold Times");
    b.Check(kExtendedTimes, "Enable SDA Extended Setup and Hold Times").Bit(SMB0CF, 0x10);
    b.Group("Timeout Detection");
    b.Check(kSclTimeout, "Enable SCL Timeout Detection").Bit(SMB0CF, kSclTimeoutBit);
    b.Status(kTimer3Status, {"Timer 3 does not overflow at 25 ms, NOT Configured Properly"});
    b.Button(kConfigureTimer3, "Configure Timer 3");
    b.Check(kFreeTimeout, "Enable Free Timeout Detection").Bit(SMB0CF, 0x04);

    b.NextColumn();
    b.Group("SMBus Clock Source Select");
    b.Radio(kTimer0, "Timer 0 Overflow").Field(SMB0CF, kSourceMask, 0);
    b.Radio(kTimer1, "Timer 1 Overflow").Field(SMB0CF, kSourceMask, 1);
    b.Radio(kTimer2High, "Timer 2 High Byte Overflow").Field(SMB0CF, kSourceMask, 2);
    b.Radio(kTimer2Low, "Timer 2 Low Byte Overflow").Field(SMB0CF, kSourceMask, 3);
    b.Group("SMBus Bit Rate");
    b.Label(0, "Bit Rate from Clock Source:");
    b.Display(kBitRate, "", "Hz");
    b.Status(kLowTime, {"Minimum SCL Low Time is 0000.0000 ms"});
    b.Button(kConfigureBitRate, "Configure SMBus Bit Rate");
    AddLinkGroups(b);
}

int CSMBusPropPage::SourceTimer() const {
    const int source = Value(SmbusReg::SMB0CF) & kSourceMask;
    return source >= 2 ? 2 : source;
}

void CSMBusPropPage::ShowTimeout() {
    const bool on = TestBits(SmbusReg::SMB0CF, kSclTimeoutBit);
    Enable(kConfigureTimer3, on);
    SetText(kTimer3Status,
            on ? serial::SmbusTimer3StatusText(Sysclk(), TimerValues(timers_)) : std::string());
}

void CSMBusPropPage::ShowBitRate() {
    const std::uint32_t sysclk = Sysclk();
    const int source = Value(SmbusReg::SMB0CF) & kSourceMask;
    const serial::TimerRegisters t = TimerValues(timers_);
    SetText(kBitRate, std::to_string(serial::SmbusSourceBitRate(sysclk, t, source)));
    SetText(kLowTime, serial::SmbusMinimumLowTimeText(sysclk, t, source));
}

void CSMBusPropPage::ShowTexts() {
    ShowInterruptText();
    ShowCrossbarText();
}

void CSMBusPropPage::Refresh() {
    RefreshBound();
    ShowTimeout();
    ShowBitRate();
    ShowTexts();
}

void CSMBusPropPage::OnSetActive() {
    ShowTimeout();
    ShowBitRate();
    ShowTexts();
    RefreshPreview();
}

void CSMBusPropPage::OnCommand(int id) {
    switch (id) {
        case kSclTimeout:
            CPropPage::OnCommand(id);
            ShowTimeout();
            return;
        case kTimer0:
        case kTimer1:
        case kTimer2High:
        case kTimer2Low:
            CPropPage::OnCommand(id);
            ShowBitRate();
            return;
        case kConfigureBitRate:
            // The page of the timer that clocks the bus, on this page's copies.
            Ctx().OpenSheet(TimerSheetId(SourceTimer()));
            // Its pages may have stored a Port I/O record of their own.
            ReloadPortIO();
            ShowBitRate();
            ShowTexts();
            return;
        case kConfigureTimer3:
            Ctx().OpenSheet(SheetId::Timer3);
            ShowTimeout();
            return;
        default:
            if (!OnLinkCommand(id)) CPropPage::OnCommand(id);
    }
}
