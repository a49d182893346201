#pragma once
// What is inconsistent across a whole project: each rule reads a
// chip::Project with the same arithmetic and pin checks the pages use, so a
// problem listed here is exactly what the page it names shows (a pin "NOT
// Configured Properly", "CEX0 is Not Enabled on the Crossbar", a baud rate
// far from any standard rate). Where a rule cannot decide (a rate that needs a
// clock of 0) it says nothing. Some problems carry a quick fix: the register
// writes that put them right, applied to a document as one step.
//
// Rule ids: xtal-pin, adc-input-pin, adc-cnvstr-pin, comparator-input-pin,
// crossbar-disabled, crossbar-no-pin, sysclk-invalid, uart-baud-error,
// pca-output-unrouted, xtal-drive, asm-duplicate-label, uart-timer-stopped,
// vref-pin, smbus-timeout.

#include <cstdint>
#include <string>
#include <vector>

#include "chip/Project.h"
#include "model/DeviceDocument.h"
#include "model/PeripheralRecord.h"

namespace chip {

enum class Severity { Warning, Error };

// "warning" or "error".
const char* SeverityName(Severity severity);

// One register write of a quick fix: the bits of `Mask` in the register at
// `Position` of record `Record` become those of `Value`.
struct RegisterWrite {
    PeripheralId Record = 0;
    int Position = 0;
    std::uint8_t Mask = 0;
    std::uint8_t Value = 0;
    bool operator==(const RegisterWrite&) const = default;
};

struct Problem {
    std::string Id;  // the rule, "xtal-pin"
    Severity Level = Severity::Warning;
    int CommandId = 0;    // the Peripherals command whose sheet shows it (43008)
    std::string Command;  // its menu caption, "Oscillators"
    std::string Page;     // the page of that sheet, "External Oscillator"
    std::string Message;  // names the pin or value
    // The field the problem is about: the register at `Position` of record
    // `Record` and the bits of `Mask` in it (the clock tree colours it).
    PeripheralId Record = 0;
    int Position = 0;
    std::uint8_t Mask = 0;
    // The quick fix, empty when there is none; what it does, for a button.
    std::vector<RegisterWrite> Fix;
    std::string FixText;

    bool Fixable() const { return !Fix.empty(); }
    bool operator==(const Problem&) const = default;
};

// Every rule, one function each; each appends what it finds.
void XtalPinRule(const Project& p, std::vector<Problem>& out);
void AdcInputPinRule(const Project& p, std::vector<Problem>& out);
void AdcCnvstrPinRule(const Project& p, std::vector<Problem>& out);
void ComparatorInputPinRule(const Project& p, std::vector<Problem>& out);
void CrossbarDisabledRule(const Project& p, std::vector<Problem>& out);
void CrossbarNoPinRule(const Project& p, std::vector<Problem>& out);
void SysclkInvalidRule(const Project& p, std::vector<Problem>& out);
void UartBaudErrorRule(const Project& p, std::vector<Problem>& out);
void PcaOutputUnroutedRule(const Project& p, std::vector<Problem>& out);
void XtalDriveRule(const Project& p, std::vector<Problem>& out);
void AsmDuplicateLabelRule(const Project& p, std::vector<Problem>& out);
void UartTimerStoppedRule(const Project& p, std::vector<Problem>& out);
void VrefPinRule(const Project& p, std::vector<Problem>& out);
void SmbusTimeoutRule(const Project& p, std::vector<Problem>& out);

// Every problem of the project, in Peripherals menu order of their commands,
// then by id (rules that find several keep their own order).
std::vector<Problem> FindProblems(const Project& project);
std::vector<Problem> FindProblems(const CDeviceDocument& doc);

// The problems of Peripherals command `commandId`.
std::vector<Problem> ProblemsOfCommand(const std::vector<Problem>& problems, int commandId);

// Writes a problem's fix into the document: each record it touches is
// completed to the model's length first; a fix that changes the Port I/O
// record also rebuilds the pin map comment the crossbar page writes. No step
// is opened here: callers wrap it in one (DocumentStep). False when the
// problem has no fix.
bool ApplyFix(CDeviceDocument& doc, const Problem& problem);

// Applies fixes until none is left to apply, each on the project as the
// fixes before it left it. Returns the fixed problems, in order.
std::vector<Problem> FixAll(CDeviceDocument& doc);

}  // namespace chip
