#include "pages/timers/CTimerPropPage.h"

#include <QLabel>
#include <QLineEdit>
#include <QValidator>

#include <cstdio>

#include "devices/Registers.h"

namespace {

// The timers' hex edits are upper-case edits: what is typed is shown and
// checked in capitals. Every text is accepted as it is, so that a character
// that is no hex digit still reaches ValidateHex and gets its message. Text
// set by the program is not converted.
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& /*pos*/) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

}  // namespace

CTimerPropPage::CTimerPropPage(PageContext& context, const std::string& caption, bool usesPortIO)
    : CPropPage(context, caption),
      interrupts_(&context.Record(Pid::Interrupts)),
      portIO_(usesPortIO ? &context.Record(Pid::PortIO) : nullptr) {}

void CTimerPropPage::ShowInterruptText(int id, int timer, int position, std::uint8_t mask) {
    bool on = false;
    if (interrupts_ && static_cast<std::size_t>(position) < interrupts_->Registers.size())
        on = (interrupts_->Registers[static_cast<std::size_t>(position)].Value & mask) != 0;
    SetText(id,
            "Timer " + std::to_string(timer) + " Interrupt is " + (on ? "Enabled" : "Disabled"));
}

void CTimerPropPage::ShowIntPinText(int id, int intNumber, bool gated) {
    if (!gated || !interrupts_ || interrupts_->Registers.size() <= InterruptsReg::IT01CF) {
        SetText(id, "");
        return;
    }
    const int it01cf = interrupts_->Registers[InterruptsReg::IT01CF].Value;
    const int pin = intNumber == 0 ? (it01cf & 0x07) : ((it01cf >> 4) & 0x07);
    SetText(id, "/INT" + std::to_string(intNumber) + " is on P0." + std::to_string(pin));
}

void CTimerPropPage::ShowNumber(int id, long long value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%lld", value);
    SetText(id, buf);
}

bool CTimerPropPage::ConfigureInterrupts() {
    const bool ok = Ctx().OpenSheet(SheetId::Interrupts);
    UpdateTexts();
    return ok;
}

bool CTimerPropPage::ConfigureExternalInterrupts() {
    const bool ok = Ctx().OpenSheet(SheetId::ExternalInterrupts);
    // The INT0/INT1 page's own Port I/O sheet stores into the document.
    if (ok && portIO_) Ctx().Reload(Pid::PortIO);
    UpdateTexts();
    return ok;
}

bool CTimerPropPage::ConfigurePortIO() {
    return Ctx().OpenSheet(SheetId::PortIO);
}

void CTimerPropPage::AddInterruptGroup(PageBuilder& b, int statusId) {
    b.Group("Interrupts");
    b.Status(statusId);
    b.Button(timerids::kConfigureInterrupts, "Configure Timer Interrupts");
}

void CTimerPropPage::AddHexEdit(PageBuilder& b, int id, const std::string& label, int position) {
    b.BeginRow();
    QLineEdit* edit = b.Hex(id, label, position);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance("WWWW") + 8);
    edit->setValidator(new UpperCaseValidator(edit));
    b.EndRow();
}

void CTimerPropPage::AddDisplay(PageBuilder& b, int id, const std::string& unit, int buttonId,
                                const std::string& button) {
    b.BeginRow();
    QLineEdit* edit = b.Display(id, "", unit);
    edit->setAlignment(Qt::AlignRight);
    // Room for the largest rate a 32-bit clock can give.
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance("0000000000") + 12);
    if (buttonId != 0) b.Button(buttonId, button);
    b.EndRow();
}
