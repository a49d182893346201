#include "pages/serial/CSckCalculatorDlg.h"

#include <string>

#include <QLineEdit>

#include "chip/Achieved.h"
#include "chip/CalcField.h"
#include "chip/SerialMath.h"
#include "devices/Registers.h"
#include "model/Ui.h"
#include "pages/common/PageContext.h"

namespace {}

CSckCalculatorDlg::CSckCalculatorDlg(PageContext& context, PeripheralRecord& spi)
    : CCalculatorDlg("Calculate SCK"), context_(context), spi_(spi) {
    PageBuilder& b = Builder();
    b.Group("");
    b.Edit(kSysclk, "SYSCLK Frequency", "Hz")->setReadOnly(true);
    b.Button(kChangeClock, "Change Clock Frequency");
    b.Edit(kTarget, "Target SCK Frequency", "Hz");
    AddAchievedLine();
}

void CSckCalculatorDlg::OnInitDialog() {
    ShowSysclk();
    SetText(kTarget, "0");
    ShowAchieved();
}

void CSckCalculatorDlg::ShowSysclk() {
    SetText(kSysclk, std::to_string(context_.Sysclk()));
}

void CSckCalculatorDlg::ShowAchieved() {
    const std::uint32_t sysclk = context_.Sysclk();
    const auto parsed = ParseUnsignedField(Text(kTarget));
    const std::uint32_t target = parsed.value_or(0);
    if (!parsed || sysclk == 0 || target == 0) {
        SetText(kAchievedId, "Achieved: -");
        return;
    }
    const std::int64_t v = serial::SpiSckDivider(sysclk, target);
    if (!serial::SpiSckDividerFits(v)) {
        SetText(kAchievedId, "Achieved: -");
        return;
    }
    const std::uint32_t sck = serial::SpiSckFrequency(sysclk, static_cast<std::uint8_t>(v));
    SetText(kAchievedId, AchievedText(sck, target, "Hz"));
}

void CSckCalculatorDlg::OnEditChange(int id) {
    if (id == kTarget) ShowAchieved();
}

void CSckCalculatorDlg::OnCommand(int id) {
    if (id != kChangeClock) return CCalculatorDlg::OnCommand(id);
    // OK stores the oscillator record; Cancel puts the clock words back.
    context_.OpenSheet(SheetId::Oscillators);
    ShowSysclk();
    ShowAchieved();
}

bool CSckCalculatorDlg::OnOK() {
    const auto parsed = ParseUnsignedField(Text(kTarget));
    if (!parsed) {
        TheUi().Error("Please enter an unsigned integer.");
        return false;
    }
    const std::uint32_t target = *parsed;
    const std::uint32_t sysclk = context_.Sysclk();
    if (sysclk == 0 || target == 0) {
        TheUi().Error("Error: Invalid Input Values.");
        return false;
    }
    const std::int64_t v = serial::SpiSckDivider(sysclk, target);
    const std::string question = serial::SpiSckQuestion(v);
    if (!serial::SpiSckDividerFits(v)) {
        TheUi().Error("Error: Invalid SCK Value Using Current SYSCLK Frequency.");
        return false;
    }
    if (!TheUi().Ask(question)) return false;
    if (spi_.Registers.size() > SpiReg::SPI0CKR)
        spi_.Registers[SpiReg::SPI0CKR].Value = static_cast<std::uint8_t>(v);
    return true;
}
