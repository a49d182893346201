#include "pages/analog/CAdc0PropPage.h"

#include <algorithm>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "devices/Registers.h"
#include "model/Ui.h"
#include "pages/common/CClockTargetDlg.h"
#include "pages/analog/InputMarks.h"

using namespace adc;

SheetPlan AdcSheet() {
    return {.caption = "ADC",
            .stored = {Pid::Adc},
            .pages = {MakePage<CAdc0PropPage>()},
            .copied = {Pid::PortIO, Pid::Interrupts}};
}

CAdc0PropPage::CAdc0PropPage(PageContext& context)
    : CPropPage(context, "ADC0"),
      portIO_(&context.Record(Pid::PortIO)),
      interrupts_(&context.Record(Pid::Interrupts)),
      large_(context.LargePackage()) {
    using AdcReg::ADC0CN;
    // Texts change while the sheet is open: each changing text stands on one
    // line with room for its longest version from the start, so the page
    // neither clips nor changes its size.
    std::vector<std::string> pinTexts = {"Temp Sensor selected", "VREF selected"};
    for (auto state : {PinState::AnalogSkipped, PinState::AnalogNotSkipped,
                       PinState::DigitalSkipped, PinState::DigitalNotSkipped})
        pinTexts.push_back(PinStatusText(state));
    PageBuilder b = Builder();
    b.Group("ADC0 Control");
    b.Check(kIdEnable, "Enable ADC0").Bit(ADC0CN, kEnable);
    b.Check(kIdLowPowerTrack, "Enable Low Power Track Mode").Bit(ADC0CN, kLowPowerTrack);
    b.Check(kIdLeftJustify, "Left justify ADC0H:ADC0L registers").Bit(AdcReg::ADC0CF, kLeftJustify);
    b.Group("Start of Conversion");
    b.Status(kIdConversion, {"ADC conversion initiated:", "Tracking initiated:"});
    // The start-of-conversion values are not in screen order.
    b.Radio(kIdStartBusy, "every write of '1' to AD0BUSY", false).Field(ADC0CN, kStartField, 0);
    b.Radio(kIdStartTimer0, "on overflow of Timer 0", false).Field(ADC0CN, kStartField, 1);
    b.Radio(kIdStartTimer1, "on overflow of Timer 1", false).Field(ADC0CN, kStartField, 3);
    b.Radio(kIdStartTimer2, "on overflow of Timer 2", false).Field(ADC0CN, kStartField, 2);
    b.Radio(kIdStartTimer3, "on overflow of Timer 3", false).Field(ADC0CN, kStartField, 5);
    b.Radio(kIdStartCnvstr, "on rising edge of CNVSTR", false)
        .Field(ADC0CN, kStartField, kStartCnvstr)
        .Room({"on rising edge of CNVSTR", "when CNVSTR is logic low (conversion on rising edge)"});
    b.Status(kIdConversionMore, {"and lasts 3 SARs clocks, followed by conversion."});
    b.Status(kIdCnvstrStatus, {"P0.6 is Skipped For CNVSTR: Configured Properly",
                               "P0.6 is NOT Skipped For CNVSTR: NOT Configured Properly",
                               "P1.4 is Skipped For CNVSTR: Configured Properly",
                               "P1.4 is NOT Skipped For CNVSTR: NOT Configured Properly"});
    b.Group("Interrupts");
    b.Status(kIdConversionInterrupt,
             {ConversionInterruptText(0), ConversionInterruptText(kConversionInterrupt)});
    b.Status(kIdWindowInterrupt, {WindowInterruptText(0), WindowInterruptText(kWindowInterrupt)});
    b.Button(kIdInterrupts, "Configure ADC Interrupts");

    b.NextColumn();
    b.Group("Input Multiplexer");
    b.List(kIdPositive, "Positive Input:", {});
    b.Status(kIdPositiveStatus, pinTexts);
    b.List(kIdNegative, "Negative Input:", {});
    b.Status(kIdNegativeStatus, pinTexts);
    b.Status(kIdMode, {ModeText(EntryByCode(NegativeInputs(large_), 0x1F)), ModeText(AdcMuxEntry{})});
    b.Button(kIdPortIO, "Configure Port I/O");
    b.Group("SAR Clock");
    // AD0SC is ADC0CF bits 7..3; a larger number stores 0x1F (OnHexChanged).
    b.Hex(kIdAd0sc, "AD0SC Value (Hex)", AdcReg::ADC0CF, kSarField);
    b.Display(kIdSarClock, "SAR Clock:", "Hz");
    b.Button(kIdChangeSar, "Change SAR");
    b.Group("Window Detector");
    b.BeginRow();
    b.Hex(kIdGreaterHigh, "Greater Than:", AdcReg::ADC0GTH);
    b.Hex(kIdGreaterLow, "", AdcReg::ADC0GTL);
    b.EndRow();
    b.BeginRow();
    b.Hex(kIdLessHigh, "Less Than:", AdcReg::ADC0LTH);
    b.Hex(kIdLessLow, "", AdcReg::ADC0LTL);
    b.EndRow();
    b.Preview();
    // Wide enough for "Temp Sensor" and the warning mark.
    for (int id : {kIdPositive, kIdNegative}) {
        auto* box = static_cast<QComboBox*>(Control(id));
        box->setMinimumContentsLength(12);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    }
    for (int id : {kIdGreaterHigh, kIdGreaterLow, kIdLessHigh, kIdLessLow, kIdAd0sc})
        static_cast<QLineEdit*>(Control(id))
            ->setMaximumWidth(fontMetrics().horizontalAdvance("MMMMM"));
}

const std::vector<AdcMuxEntry>& CAdc0PropPage::ListOf(int listId) const {
    return listId == kIdPositive ? *positive_ : *negative_;
}

AdcMuxEntry CAdc0PropPage::SelectedEntry(int listId) const {
    if (!positive_) return {};
    return EntryByIndex(ListOf(listId), Selected(listId));
}

void CAdc0PropPage::OnInitDialog() {
    positive_ = &PositiveInputs(large_);
    negative_ = &NegativeInputs(large_);
    Refresh();
    RefreshPreview();
}

void CAdc0PropPage::Refresh() {
    if (!positive_) {
        positive_ = &PositiveInputs(large_);
        negative_ = &NegativeInputs(large_);
    }
    RefreshBound();
    for (int listId : {kIdPositive, kIdNegative}) {
        std::vector<std::string> names;
        for (const auto& e : ListOf(listId))
            names.push_back(e.Name);
        SetItems(listId, names);
        const int position = listId == kIdPositive ? AdcReg::AMX0P : AdcReg::AMX0N;
        Select(listId, IndexOfRegister(ListOf(listId), Value(position)));
    }
    UpdateSarClock();
    UpdateInterruptTexts();
    UpdateInputTexts();
    UpdateConversionTexts();
}

void CAdc0PropPage::OnCommand(int id) {
    switch (id) {
        case kIdChangeSar:
            ChangeSar();
            return;
        case kIdInterrupts:
            if (Ctx().OpenSheet(SheetId::Interrupts))
                UpdateInterruptTexts();
            return;
        case kIdPortIO:
            if (Ctx().OpenSheet(SheetId::PortIO)) UpdateInputTexts();
            return;
        default:
            break;
    }
    CPropPage::OnCommand(id);
    if (id == kIdLowPowerTrack) UpdateConversionTexts();
    if (id >= kIdStartBusy && id <= kIdStartCnvstr) UpdateInputTexts();
}

void CAdc0PropPage::OnSelChange(int id) {
    if (id != kIdPositive && id != kIdNegative) return CPropPage::OnSelChange(id);
    const int position = id == kIdPositive ? AdcReg::AMX0P : AdcReg::AMX0N;
    Value(position) = WithMuxCode(Value(position), SelectedEntry(id).Code);
    UpdateInputTexts();
    RefreshPreview();
}

void CAdc0PropPage::OnHexChanged(int editId) {
    if (editId != kIdAd0sc) return;
    // The binding has stored 0x1F for a number too large for the field.
    if (ParseHex(Text(kIdAd0sc), 2) > static_cast<std::uint32_t>(kMaxAd0sc)) {
        SetText(kIdAd0sc, "1F");
        TheUi().Error("Error: AD0SC Value Too Large. Defaulting to 0x1F");
    }
    UpdateSarClock();
}

void CAdc0PropPage::UpdateSarClock() {
    SetText(kIdSarClock, SarClockText(Ctx().Sysclk(), Value(AdcReg::ADC0CF)));
}

void CAdc0PropPage::UpdateInterruptTexts() {
    const std::uint8_t eie1 = interrupts_ && interrupts_->Registers.size() > InterruptsReg::EIE1
                                  ? interrupts_->Registers[InterruptsReg::EIE1].Value
                                  : 0;
    SetText(kIdConversionInterrupt, ConversionInterruptText(eie1));
    SetText(kIdWindowInterrupt, WindowInterruptText(eie1));
}

void CAdc0PropPage::UpdateInputTexts() {
    static const PeripheralRecord kNoPorts;
    const PeripheralRecord& port = portIO_ ? *portIO_ : kNoPorts;
    const AdcMuxEntry negative = SelectedEntry(kIdNegative);
    SetText(kIdPositiveStatus, InputText(SelectedEntry(kIdPositive), port, true));
    SetText(kIdNegativeStatus, InputText(negative, port, false));
    SetText(kIdMode, ModeText(negative));
    SetText(kIdCnvstrStatus, CnvstrText(DeviceCode(), Value(AdcReg::ADC0CN) & kStartField, port));
    MarkItems(kIdPositive);
    MarkItems(kIdNegative);
}

void CAdc0PropPage::UpdateConversionTexts() {
    if (TestBits(AdcReg::ADC0CN, kLowPowerTrack)) {
        SetText(kIdConversion, "Tracking initiated:");
        SetText(kIdConversionMore, "and lasts 3 SARs clocks, followed by conversion.");
        SetText(kIdStartCnvstr, "when CNVSTR is logic low (conversion on rising edge)");
    } else {
        SetText(kIdConversion, "ADC conversion initiated:");
        SetText(kIdConversionMore, "");
        SetText(kIdStartCnvstr, "on rising edge of CNVSTR");
    }
}

void CAdc0PropPage::MarkItems(int listId) {
    if (!positive_) return;
    static const PeripheralRecord kNoPorts;
    const PeripheralRecord& port = portIO_ ? *portIO_ : kNoPorts;
    std::vector<PinState> states;
    for (const auto& entry : ListOf(listId))
        states.push_back(StateOf(entry, port));
    MarkInputItems(qobject_cast<QComboBox*>(Control(listId)), states);
}

bool CAdc0PropPage::IsItemMarked(int listId, int index) const {
    return IsInputItemMarked(qobject_cast<QComboBox*>(Control(listId)), index);
}

void CAdc0PropPage::ChangeSar() {
    if (!Record()) return;
    CClockTargetDlg calc(Ctx(), *Record(), ClockTarget::SarClock);
    if (calc.Run()) {
        ShowHex(kIdAd0sc);
        RefreshPreview();
    }
    // The Oscillators sheet may have stored a Port I/O record of its own.
    Ctx().Reload(Pid::PortIO);
    UpdateSarClock();
    UpdateInputTexts();
}
