#include "pages/analog/CSarCalcDlg.h"

#include <QLineEdit>

#include <cstdio>

#include "chip/Achieved.h"
#include "chip/AdcMux.h"
#include "chip/CalcField.h"
#include "devices/Registers.h"
#include "model/Ui.h"
#include "pages/common/PageContext.h"

namespace {

constexpr const char* kNotANumber = "Error: Enter a whole number from 0 to 4294967295.";

std::string Decimal(std::uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d", static_cast<int>(static_cast<std::int32_t>(v)));
    return buf;
}

}  // namespace

CSarCalcDlg::CSarCalcDlg(PageContext& context, PeripheralRecord& adc)
    : CCalculatorDlg("Calculate SAR"), context_(context), adc_(adc) {
    PageBuilder& b = Builder();
    b.Group("SAR Clock");
    b.Edit(kIdSysclk, "SYSCLK Frequency", "Hz")->setReadOnly(true);
    b.Button(kIdChangeClock, "Change Clock Frequency");
    b.Edit(kIdTarget, "Target SAR Frequency", "Hz");
    AddAchievedLine();
}

void CSarCalcDlg::OnInitDialog() {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%u", static_cast<unsigned>(context_.Sysclk()));
    SetText(kIdSysclk, buf);
    SetText(kIdTarget, "0");
    UpdateAchieved();
}

void CSarCalcDlg::OnCommand(int id) {
    if (id != kIdChangeClock) return CCalculatorDlg::OnCommand(id);
    // Cancel of the Oscillators sheet puts the clock words back itself.
    if (context_.OpenSheet(SheetId::Oscillators)) SetText(kIdSysclk, Decimal(context_.Sysclk()));
    UpdateAchieved();
}

void CSarCalcDlg::OnEditChange(int id) {
    if (id == kIdTarget || id == kIdSysclk) UpdateAchieved();
}

void CSarCalcDlg::UpdateAchieved() {
    if (!Has(kAchievedId)) return;
    const auto sysclk = ParseUnsignedField(Text(kIdSysclk));
    const auto target = ParseUnsignedField(Text(kIdTarget));
    std::string text;
    if (!target) {
        text = NoAchievedText(kNotANumberReason);
    } else if (*target == 0) {
        text = NoAchievedText(kNoTarget);
    } else if (!sysclk || *sysclk == 0) {
        text = NoAchievedText(NoClockReason("SYSCLK"));
    } else if (const adc::SarDivider d = adc::SarDividerFor(*sysclk, *target);
               d.status == adc::SarDivider::Ok) {
        const auto cf = static_cast<std::uint8_t>(d.ad0sc << adc::kSarShift);
        text = AchievedText(adc::SarClock(*sysclk, cf), *target, "Hz");
    } else {
        text = NoAchievedText("no AD0SC value fits at this SYSCLK");
    }
    SetText(kAchievedId, text);
}

bool CSarCalcDlg::OnOK() {
    const auto sysclk = ParseUnsignedField(Text(kIdSysclk));
    const auto target = ParseUnsignedField(Text(kIdTarget));
    if (!sysclk || !target) {
        TheUi().Error(kNotANumber);
        return false;
    }
    const adc::SarDivider d = adc::SarDividerFor(*sysclk, *target);
    if (d.status == adc::SarDivider::InvalidInput) {
        TheUi().Error("Error: Invalid Input Values.");
        return false;
    }
    if (d.status == adc::SarDivider::OutOfRange) {
        TheUi().Error("Error: Invalid SAR Value Using Current SYSCLK Frequency.");
        return false;
    }
    char question[64];
    std::snprintf(question, sizeof question, "Change AD0SC Data to:\n\n AD0SC = %02X",
                  static_cast<unsigned>(d.ad0sc));
    if (!TheUi().Ask(question)) return false;
    std::uint8_t& cf = adc_.Registers.at(AdcReg::ADC0CF).Value;
    cf = static_cast<std::uint8_t>((cf & 0x07) | (d.ad0sc << adc::kSarShift));
    return true;
}
