#include "pages/analog/CAdc0PropPage.h"

#include <algorithm>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "devices/Registers.h"
#include "model/Ui.h"
#include "pages/analog/CSarCalcDlg.h"
#include "pages/analog/InputMarks.h"

using namespace adc;

SheetSpec AdcSheet() {
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
    PageBuilder b(this, this);
    b.Group("ADC0 Control");
    b.Check(kIdEnable, "Enable ADC0");
    b.Check(kIdLowPowerTrack, "Enable Low Power Track Mode");
    b.Check(kIdLeftJustify, "Left justify ADC0H:ADC0L registers");
    b.Group("Start of Conversion");
    b.Label(kIdConversion, "");
    b.Radio(kIdStartBusy, "every write of '1' to AD0BUSY", false);
    b.Radio(kIdStartTimer0, "on overflow of Timer 0", false);
    b.Radio(kIdStartTimer1, "on overflow of Timer 1", false);
    b.Radio(kIdStartTimer2, "on overflow of Timer 2", false);
    b.Radio(kIdStartTimer3, "on overflow of Timer 3", false);
    b.Radio(kIdStartCnvstr, "on rising edge of CNVSTR", false);
    b.Label(kIdConversionMore, "");
    b.Label(kIdCnvstrStatus, "");
    b.Group("Interrupts");
    b.Label(kIdConversionInterrupt, "");
    b.Label(kIdWindowInterrupt, "");
    b.Button(kIdInterrupts, "Configure ADC Interrupts");

    b.NextColumn();
    b.Group("Input Multiplexer");
    b.List(kIdPositive, "Positive Input:", {});
    b.Label(kIdPositiveStatus, "");
    b.List(kIdNegative, "Negative Input:", {});
    b.Label(kIdNegativeStatus, "");
    b.Label(kIdMode, "");
    b.Button(kIdPortIO, "Configure Port I/O");
    b.Group("SAR Clock");
    b.Edit(kIdAd0sc, "AD0SC Value (Hex)");
    b.Edit(kIdSarClock, "SAR Clock:", "Hz")->setReadOnly(true);
    b.Button(kIdChangeSar, "Change SAR");
    b.Group("Window Detector");
    b.BeginRow();
    b.Edit(kIdGreaterHigh, "Greater Than:");
    b.Edit(kIdGreaterLow, "");
    b.EndRow();
    b.BeginRow();
    b.Edit(kIdLessHigh, "Less Than:");
    b.Edit(kIdLessLow, "");
    b.EndRow();
    b.Preview();

    Bind({
        {kIdEnable, ControlKind::Check, "", "", 0, AdcReg::ADC0CN, kEnable, 0},
        {kIdLowPowerTrack, ControlKind::Check, "", "", 0, AdcReg::ADC0CN, kLowPowerTrack, 0},
        {kIdLeftJustify, ControlKind::Check, "", "", 0, AdcReg::ADC0CF, kLeftJustify, 0},
        // The start-of-conversion values are not in screen order.
        {kIdStartBusy, ControlKind::Radio, "", "", 0, AdcReg::ADC0CN, kStartField, 0},
        {kIdStartTimer0, ControlKind::Radio, "", "", 0, AdcReg::ADC0CN, kStartField, 1},
        {kIdStartTimer1, ControlKind::Radio, "", "", 0, AdcReg::ADC0CN, kStartField, 3},
        {kIdStartTimer2, ControlKind::Radio, "", "", 0, AdcReg::ADC0CN, kStartField, 2},
        {kIdStartTimer3, ControlKind::Radio, "", "", 0, AdcReg::ADC0CN, kStartField, 5},
        {kIdStartCnvstr, ControlKind::Radio, "", "", 0, AdcReg::ADC0CN, kStartField, kStartCnvstr},
    });
    BindHex(kIdGreaterHigh, AdcReg::ADC0GTH);
    BindHex(kIdGreaterLow, AdcReg::ADC0GTL);
    BindHex(kIdLessHigh, AdcReg::ADC0LTH);
    BindHex(kIdLessLow, AdcReg::ADC0LTL);
    // AD0SC is ADC0CF bits 7..3; a larger number stores 0x1F (OnHexChanged).
    BindHexField(kIdAd0sc, AdcReg::ADC0CF, kSarField, kSarShift);
    // Texts change while the sheet is open: each changing text stands on one
    // line with room for its longest version from the start, so the page
    // neither clips nor changes its size.
    ReserveRoom(kIdStartCnvstr, {"on rising edge of CNVSTR",
                                 "when CNVSTR is logic low (conversion on rising edge)"});
    ReserveRoom(kIdConversion, {"ADC conversion initiated:", "Tracking initiated:"});
    ReserveRoom(kIdConversionMore, {"and lasts 3 SARs clocks, followed by conversion."});
    ReserveRoom(kIdCnvstrStatus, {"P0.6 is Skipped For CNVSTR: Configured Properly",
                                  "P0.6 is NOT Skipped For CNVSTR: NOT Configured Properly",
                                  "P1.4 is Skipped For CNVSTR: Configured Properly",
                                  "P1.4 is NOT Skipped For CNVSTR: NOT Configured Properly"});
    for (int id : {kIdPositiveStatus, kIdNegativeStatus}) {
        std::vector<std::string> texts = {"Temp Sensor selected", "VREF selected"};
        for (auto state : {PinState::AnalogSkipped, PinState::AnalogNotSkipped,
                           PinState::DigitalSkipped, PinState::DigitalNotSkipped})
            texts.push_back(PinStatusText(state));
        ReserveRoom(id, texts);
    }
    ReserveRoom(kIdMode,
                {ModeText(EntryByCode(NegativeInputs(large_), 0x1F)), ModeText(AdcMuxEntry{})});
    ReserveRoom(kIdConversionInterrupt,
                {ConversionInterruptText(0), ConversionInterruptText(kConversionInterrupt)});
    ReserveRoom(kIdWindowInterrupt,
                {WindowInterruptText(0), WindowInterruptText(kWindowInterrupt)});
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

void CAdc0PropPage::ReserveRoom(int id, const std::vector<std::string>& texts) {
    QWidget* w = Control(id);
    if (auto* label = qobject_cast<QLabel*>(w)) label->setWordWrap(false);
    const std::string shown = Text(id);
    QSize room;
    for (const auto& text : texts) {
        SetText(id, text);
        room = room.expandedTo(w->sizeHint());
    }
    SetText(id, shown);
    w->setMinimumSize(room);
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

void CAdc0PropPage::OnSetActive() {
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
    CSarCalcDlg calc(Ctx(), *Record());
    if (calc.Run()) {
        ShowHex(kIdAd0sc);
        RefreshPreview();
    }
    // The Oscillators sheet may have stored a Port I/O record of its own.
    Ctx().Reload(Pid::PortIO);
    UpdateSarClock();
    UpdateInputTexts();
}
