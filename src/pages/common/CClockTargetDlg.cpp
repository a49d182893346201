#include "pages/common/CClockTargetDlg.h"

#include <string>

#include "chip/AdcMux.h"
#include "chip/CalcField.h"
#include "chip/SerialMath.h"
#include "devices/Registers.h"
#include "model/Ui.h"
#include "pages/common/PageContext.h"

using namespace calcids;

struct CClockTargetDlg::Kind {
    const char* caption;
    const char* group;
    int targetId;
    const char* targetLabel;
    std::string (*achieved)(const DividerFields&);
    DividerOffer (*offer)(const DividerFields&);
    // Where an accepted divider goes: the field `mask` of the register at `position`.
    int position;
    std::uint8_t mask;
};

namespace {

const CClockTargetDlg::Kind kKinds[] = {
    {"Calculate SAR", "SAR Clock", kSarTarget, "Target SAR Frequency", adc::SarAchievedText,
     adc::SarOffer, AdcReg::ADC0CF, adc::kSarField},
    {"Calculate SCK", "", kSckTarget, "Target SCK Frequency", serial::SckAchievedText,
     serial::SckOffer, SpiReg::SPI0CKR, 0xFF},
};

}  // namespace

CClockTargetDlg::CClockTargetDlg(PageContext& context, PeripheralRecord& record, ClockTarget target)
    : CCalculatorDlg(kKinds[static_cast<int>(target)].caption),
      context_(context),
      record_(record),
      kind_(kKinds[static_cast<int>(target)]) {
    PageBuilder& b = Builder();
    b.Group(kind_.group);
    b.Display(kSysclk, "SYSCLK Frequency", "Hz");
    b.Button(kChangeClock, "Change Clock Frequency");
    b.Edit(kind_.targetId, kind_.targetLabel, "Hz");
    AddAchievedLine();
}

void CClockTargetDlg::OnInitDialog() {
    ShowSysclk();
    SetText(kind_.targetId, "0");
    UpdateAchieved();
}

void CClockTargetDlg::ShowSysclk() { SetText(kSysclk, std::to_string(context_.Sysclk())); }

void CClockTargetDlg::UpdateAchieved() {
    if (!Has(kAchievedId)) return;
    SetText(kAchievedId, kind_.achieved({ParseUnsignedField(Text(kSysclk)),
                                         ParseUnsignedField(Text(kind_.targetId))}));
}

void CClockTargetDlg::OnEditChange(int id) {
    if (id == kind_.targetId || id == kSysclk) UpdateAchieved();
}

void CClockTargetDlg::OnCommand(int id) {
    if (id != kChangeClock) return CCalculatorDlg::OnCommand(id);
    // OK stores the oscillator record; Cancel puts the clock words back.
    context_.OpenSheet(SheetId::Oscillators);
    ShowSysclk();
    UpdateAchieved();
}

bool CClockTargetDlg::OnOK() {
    const DividerOffer offer = kind_.offer({ParseUnsignedField(Text(kSysclk)),
                                            ParseUnsignedField(Text(kind_.targetId))});
    if (!offer.error.empty()) {
        TheUi().Error(offer.error);
        return false;
    }
    if (!TheUi().Ask(offer.question)) return false;
    if (record_.Registers.size() > static_cast<std::size_t>(kind_.position)) {
        std::uint8_t& reg = record_.Registers[static_cast<std::size_t>(kind_.position)].Value;
        const int shift = std::countr_zero(static_cast<unsigned>(kind_.mask));
        reg = static_cast<std::uint8_t>((reg & ~kind_.mask) | ((offer.value << shift) & kind_.mask));
    }
    return true;
}
