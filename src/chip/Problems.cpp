#include "chip/Problems.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <set>
#include <utility>

#include "chip/AdcMux.h"
#include "chip/ClockMath.h"
#include "chip/Comparator.h"
#include "chip/Crossbar.h"
#include "chip/OscText.h"
#include "chip/PcaRecord.h"
#include "chip/PinCheck.h"
#include "chip/SerialMath.h"
#include "chip/TimerMath.h"
#include "devices/Models.h"
#include "devices/PeripheralMenu.h"
#include "devices/Q7R2xDoc.h"
#include "devices/Registers.h"

namespace chip {
namespace {

// Peripherals commands by id.
constexpr int kPortIO = 43002;
constexpr int kOscillators = 43008;
constexpr int kTimers = 43007;
constexpr int kPca = 43016;
constexpr int kUart = 43004;
constexpr int kSmbus = 43009;
constexpr int kAdc = 43010;
constexpr int kComparators = 43011;
constexpr int kVoltageReference = 43013;

// Pages, by the captions their tabs show.
constexpr const char* kExternalOscillatorPage = "External Oscillator";
constexpr const char* kClockMultiplierPage = "Clock Multiplier";
constexpr const char* kSysclkSelectPage = "SYSCLK Select";
constexpr const char* kTimer1Page = "Timer 1";
constexpr const char* kAdcPage = "ADC0";
constexpr const char* kSmbusPage = "SMBus";
constexpr const char* kReferencePage = "Reference Control";

// Bits the rules read that no other header names.
constexpr std::uint8_t kRefVdd = 0x08;            // VDD, not the VREF pin
constexpr std::uint8_t kRefBuffer = 0x01;         // internal reference buffer on
constexpr std::uint8_t kSclTimeout = 0x08;        // SCL timeout detection
constexpr std::uint8_t kTimer1Run = 0x40;         // TCON TR1
constexpr std::uint8_t kTimer1ModeMask = 0x30;    // TMOD bits 5..4
constexpr std::uint8_t kTimer1AutoReload = 0x20;  // mode 2

// The Peripherals command whose sheet edits a record.
int CommandOfRecord(PeripheralId id) {
    static constexpr int kCommands[] = {43012, kPca,   kTimers, kUart,  kSmbus, 43006,
                                        kAdc,  43001, kComparators, 43012, kVoltageReference,
                                        43014, 43000, kPortIO, kOscillators, 43003};
    return id >= 0 && id < 16 ? kCommands[id] : kOscillators;
}

std::uint8_t Reg(const PeripheralRecord& record, int position) {
    const auto i = static_cast<std::size_t>(position);
    return i < record.Registers.size() ? record.Registers[i].Value : 0;
}

Problem Make(const char* id, Severity level, int commandId, std::string page,
             std::string message, PeripheralId record, int position, std::uint8_t mask) {
    Problem p;
    p.Id = id;
    p.Level = level;
    p.CommandId = commandId;
    const models::PeripheralMenuItem* item = models::FindPeripheralMenuItem(commandId);
    p.Command = item ? item->Caption : "";
    p.Page = std::move(page);
    p.Message = std::move(message);
    p.Record = record;
    p.Position = position;
    p.Mask = mask;
    return p;
}

// Whether every signal routed now still finds a pin after `writes`.
bool EverySignalPlacedAfter(const Project& p, const std::vector<RegisterWrite>& writes) {
    PeripheralRecord portIo = p.Record(Pid::PortIO);
    for (const RegisterWrite& w : writes) {
        auto& value = portIo.Registers.at(static_cast<std::size_t>(w.Position)).Value;
        value = static_cast<std::uint8_t>((value & ~w.Mask) | (w.Value & w.Mask));
    }
    portio::CCrossbar crossbar(p.LargePackage(), p.Record(Pid::Spi));
    return crossbar.DecodeCrossbar(portIo).UnplacedRows.empty();
}

// The pin rules' fix: the pin analog (or digital) and, where it has a skip
// bit, skipped; offered only when every routed signal keeps a pin.
void OfferPinFix(const Project& p, const analog::PinBits& pin, const std::string& name,
                 bool analogMode, Problem& problem) {
    std::vector<RegisterWrite> writes;
    if (pin.ModeRegister != analog::kNoRegister)
        writes.push_back({Pid::PortIO, pin.ModeRegister, pin.ModeMask,
                          analogMode ? std::uint8_t{0} : pin.ModeMask});
    if (pin.SkipRegister != analog::kNoRegister)
        writes.push_back({Pid::PortIO, pin.SkipRegister, pin.SkipMask, pin.SkipMask});
    if (writes.empty() || !EverySignalPlacedAfter(p, writes)) return;
    problem.Fix = std::move(writes);
    problem.FixText = "Make " + name + (analogMode ? " analog" : " digital") +
                      (pin.SkipRegister != analog::kNoRegister ? " and skipped" : "");
}

// The first problem of a pin check: where the pin is (its skip bit, else its
// mode bit) is the field it points at.
Problem PinProblem(const char* id, int commandId, std::string page, std::string message,
                   const analog::PinBits& pin) {
    const bool skip = pin.SkipRegister != analog::kNoRegister;
    return Make(id, Severity::Warning, commandId, std::move(page), std::move(message),
                Pid::PortIO, skip ? pin.SkipRegister : pin.ModeRegister,
                skip ? pin.SkipMask : pin.ModeMask);
}

// A label with its runs of blanks and a trailing ", " dropped: "NSS  (SPI0), "
// reads "NSS (SPI0)".
std::string Collapsed(const std::string& label) {
    std::string out;
    for (char c : label) {
        if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
        out += c;
    }
    while (!out.empty() && (out.back() == ' ' || out.back() == ',')) out.pop_back();
    return out;
}

std::string Bits3(int bits) {
    std::string s;
    for (int b = 2; b >= 0; --b) s += (bits >> b) & 1 ? '1' : '0';
    return s;
}

}  // namespace

const char* SeverityName(Severity severity) {
    return severity == Severity::Error ? "error" : "warning";
}

// --- pins -------------------------------------------------------------------

void XtalPinRule(const Project& p, std::vector<Problem>& out) {
    const std::uint8_t oscxcn = Reg(p.Record(Pid::Oscillator), OscillatorReg::OSCXCN);
    const PeripheralRecord& portIo = p.Record(Pid::PortIO);
    const std::uint8_t mdin = Reg(portIo, PortIOReg::P0MDIN);
    const std::uint8_t skip = Reg(portIo, PortIOReg::P0SKIP);
    for (const osc::XtalPin& pin : osc::XtalPins(oscxcn, models::IsSmallPackage(p.DeviceCode()))) {
        if (pin.Need == osc::PinNeed::None) continue;
        const bool analog = (mdin & (1u << pin.Bit)) == 0;
        const bool skipped = (skip & (1u << pin.Bit)) != 0;
        if (osc::IsXtalPinProper(pin.Need, analog, skipped)) continue;
        const analog::PortPin where{0, pin.Bit};
        Problem problem = PinProblem("xtal-pin", kOscillators, kExternalOscillatorPage,
                                     osc::XtalPinText(pin, mdin, skip), where.Bits());
        OfferPinFix(p, where.Bits(), where.Name(), pin.Need == osc::PinNeed::Analog, problem);
        out.push_back(std::move(problem));
    }
}

void AdcInputPinRule(const Project& p, std::vector<Problem>& out) {
    const PeripheralRecord& rec = p.Record(Pid::Adc);
    if (!(Reg(rec, AdcReg::ADC0CN) & adc::kEnable)) return;
    const PeripheralRecord& portIo = p.Record(Pid::PortIO);
    for (const bool positive : {true, false}) {
        const auto& list =
            positive ? adc::PositiveInputs(p.LargePackage()) : adc::NegativeInputs(p.LargePackage());
        const std::uint8_t mux = Reg(rec, positive ? AdcReg::AMX0P : AdcReg::AMX0N);
        const adc::AdcMuxEntry entry = adc::EntryByCode(list, mux & adc::kMuxField);
        // An input no item names has no pin to check.
        if (entry.Name.empty() || adc::IsInternalInput(entry, positive)) continue;
        const adc::PinState state = adc::StateOf(entry, portIo);
        if (adc::IsConfiguredProperly(state)) continue;
        const analog::PinBits pin{entry.ModeRegister, entry.ModeMask, entry.SkipRegister,
                                  entry.SkipMask};
        Problem problem = PinProblem(
            "adc-input-pin", kAdc, kAdcPage,
            std::string(positive ? "Positive" : "Negative") + " input " + entry.Name + ": " +
                adc::PinStatusText(state),
            pin);
        OfferPinFix(p, pin, entry.Name, true, problem);
        out.push_back(std::move(problem));
    }
}

void AdcCnvstrPinRule(const Project& p, std::vector<Problem>& out) {
    const PeripheralRecord& rec = p.Record(Pid::Adc);
    const std::uint8_t adc0cn = Reg(rec, AdcReg::ADC0CN);
    if (!(adc0cn & adc::kEnable)) return;
    const PeripheralRecord& portIo = p.Record(Pid::PortIO);
    const std::uint8_t start = adc0cn & adc::kStartField;
    if (start != adc::kStartCnvstr || adc::IsCnvstrSkipped(p.DeviceCode(), portIo)) return;
    const analog::PortPin pin = adc::CnvstrPin(p.DeviceCode());
    // CNVSTR is a digital input.
    Problem problem = PinProblem("adc-cnvstr-pin", kAdc, kAdcPage,
                                 adc::CnvstrText(p.DeviceCode(), start, portIo), pin.Bits());
    OfferPinFix(p, pin.Bits(), pin.Name(), false, problem);
    out.push_back(std::move(problem));
}

void ComparatorInputPinRule(const Project& p, std::vector<Problem>& out) {
    const PeripheralRecord& rec = p.Record(Pid::Comparators);
    const PeripheralRecord& portIo = p.Record(Pid::PortIO);
    for (const comparator::Instance* c : {&comparator::kComparator0, &comparator::kComparator1}) {
        if (!(Reg(rec, c->CnPosition) & comparator::kEnable)) continue;
        for (const bool positive : {true, false}) {
            const int item = positive ? comparator::PositiveItem(*c, rec)
                                      : comparator::NegativeItem(*c, rec);
            if (item < 0) continue;
            const auto& inputs = positive ? comparator::PositiveInputs(*c, p.LargePackage())
                                          : comparator::NegativeInputs(*c, p.LargePackage());
            const comparator::InputPin& input = inputs[static_cast<std::size_t>(item)];
            const analog::PinState state = comparator::InputPinState(portIo, input);
            if (analog::IsConfiguredProperly(state)) continue;
            const analog::PinBits pin = analog::PortPinBits(input.Port, input.Bit);
            Problem problem = PinProblem(
                "comparator-input-pin", kComparators, c->PageCaption,
                std::string(positive ? "Positive" : "Negative") + " input " + input.Name + ": " +
                    analog::PinStatusText(state),
                pin);
            OfferPinFix(p, pin, input.Name, true, problem);
            out.push_back(std::move(problem));
        }
    }
}

void VrefPinRule(const Project& p, std::vector<Problem>& out) {
    const std::uint8_t ref0cn = Reg(p.Record(Pid::VoltageReference), VoltageReferenceReg::REF0CN);
    if (ref0cn & kRefVdd) return;
    // The VREF pin matters once something uses or drives the reference.
    const bool adcOn = Reg(p.Record(Pid::Adc), AdcReg::ADC0CN) & adc::kEnable;
    if (!adcOn && !(ref0cn & kRefBuffer)) return;
    const bool small = models::IsSmallPackage(p.DeviceCode());
    const PeripheralRecord& portIo = p.Record(Pid::PortIO);
    const analog::PortPin pin = analog::VrefPin(small);
    if (analog::IsConfiguredProperly(analog::StateOf(pin.Bits(), portIo))) return;
    Problem problem = PinProblem("vref-pin", kVoltageReference, kReferencePage,
                                 analog::VrefPinText(small, portIo), pin.Bits());
    OfferPinFix(p, pin.Bits(), pin.Name(), true, problem);
    out.push_back(std::move(problem));
}

// --- crossbar -----------------------------------------------------------------

void CrossbarDisabledRule(const Project& p, std::vector<Problem>& out) {
    if (!portio::NeedsCrossbarQuestion(p.Record(Pid::PortIO))) return;
    Problem problem =
        Make("crossbar-disabled", Severity::Warning, kPortIO, portio::kCrossbarPageCaption,
             "Peripherals are on the crossbar or pins are push-pull, but \"Enable Crossbar\" is "
             "clear",
             Pid::PortIO, PortIOReg::XBR1, portio::xbr::kCrossbarEnable);
    problem.Fix = {{Pid::PortIO, PortIOReg::XBR1, portio::xbr::kCrossbarEnable,
                    portio::xbr::kCrossbarEnable}};
    problem.FixText = "Set \"Enable Crossbar\"";
    out.push_back(std::move(problem));
}

void CrossbarNoPinRule(const Project& p, std::vector<Problem>& out) {
    if (!portio::IsCrossbarEnabled(p.Record(Pid::PortIO))) return;
    for (const int row : p.Placement().UnplacedRows) {
        const portio::CrossbarEntry& e = p.Crossbar().SignalList()[static_cast<std::size_t>(row)];
        out.push_back(Make("crossbar-no-pin", Severity::Error, kPortIO,
                           portio::kCrossbarPageCaption,
                           Collapsed(e.PinLabel) + " is on the crossbar but gets no pin",
                           Pid::PortIO, e.RegisterPosition, e.Mask));
    }
}

void PcaOutputUnroutedRule(const Project& p, std::vector<Problem>& out) {
    const PeripheralRecord& rec = p.Record(Pid::Pca);
    const PeripheralRecord& portIo = p.Record(Pid::PortIO);
    for (int module = 0; module < 5; ++module) {
        const std::uint8_t mode = pca::ModuleModeOf(rec, module);
        if (!pca::IsOutputMode(mode) || portio::IsCexRouted(portIo, module)) continue;
        const std::string cex = "CEX" + std::to_string(module);
        out.push_back(Make("pca-output-unrouted", Severity::Warning, kPca,
                           module == 4 ? "Module 4/WDT" : "Module " + std::to_string(module),
                           cex + " is Not Enabled on the Crossbar, but Module " +
                               std::to_string(module) + " is set to \"" +
                               pca::ModuleModeCaption(mode, module) + "\"",
                           Pid::PortIO, PortIOReg::XBR1, portio::xbr::kPcaChannels));
    }
}

// --- clocks -------------------------------------------------------------------

void SysclkInvalidRule(const Project& p, std::vector<Problem>& out) {
    const int source = Reg(p.Record(Pid::Oscillator), OscillatorReg::CLKSEL) & osc::kSysclkSourceMask;
    if (!osc::IsSourceFrequencyValid(source, p.ExtOsc())) {
        out.push_back(Make("sysclk-invalid", Severity::Error, kOscillators,
                           kExternalOscillatorPage,
                           "The external oscillator is the SYSCLK source, but its frequency is " +
                               std::to_string(p.ExtOsc()) + " Hz",
                           Pid::Oscillator, OscillatorReg::CLKSEL, osc::kSysclkSourceMask));
    } else if (p.Sysclk() == 0) {
        out.push_back(Make("sysclk-invalid", Severity::Error, kOscillators, kSysclkSelectPage,
                           "SYSCLK is 0 Hz", Pid::Oscillator, OscillatorReg::CLKSEL,
                           osc::kSysclkSourceMask));
    }
}

void XtalDriveRule(const Project& p, std::vector<Problem>& out) {
    const std::uint8_t oscxcn = Reg(p.Record(Pid::Oscillator), OscillatorReg::OSCXCN);
    const osc::LabelSet set = osc::LabelSetFor(oscxcn);
    if (set != osc::LabelSet::Crystal && set != osc::LabelSet::Rc) return;
    const std::uint32_t f = p.ExtOsc();
    if (f == 0) return;
    const auto& labels = osc::FrequencyLabels(set);
    const int selected = oscxcn & osc::kFreqControlMask;
    const auto range = osc::RangeOfLabel(labels[static_cast<std::size_t>(selected)]);
    if (!range || range->Contains(f)) return;
    std::string message = std::to_string(f) + " Hz is outside the selected frequency control \"" +
                          Collapsed(labels[static_cast<std::size_t>(selected)]) + "\" (bits " +
                          Bits3(selected) + "); ";
    const auto fit = osc::FittingFrequencyBits(set, f);
    if (fit) {
        message += "\"" + Collapsed(labels[static_cast<std::size_t>(*fit)]) + "\" (bits " +
                   Bits3(*fit) + ") fits";
    } else {
        const auto top = osc::RangeOfLabel(labels.back());
        message += "no setting covers a frequency above " +
                   std::to_string(static_cast<long long>(top ? top->AtMost : 0)) + " Hz";
    }
    Problem problem = Make("xtal-drive", Severity::Warning, kOscillators, kExternalOscillatorPage,
                           std::move(message), Pid::Oscillator, OscillatorReg::OSCXCN,
                           osc::kFreqControlMask);
    if (fit) {
        problem.Fix = {{Pid::Oscillator, OscillatorReg::OSCXCN, osc::kFreqControlMask,
                        static_cast<std::uint8_t>(*fit)}};
        problem.FixText =
            "Select \"" + Collapsed(labels[static_cast<std::size_t>(*fit)]) + "\"";
    }
    out.push_back(std::move(problem));
}

// --- serial -------------------------------------------------------------------

void UartBaudErrorRule(const Project& p, std::vector<Problem>& out) {
    const PeripheralRecord& portIo = p.Record(Pid::PortIO);
    auto check = [&](const char* unit, std::int64_t rate, PeripheralId record, int position) {
        // A clock of 0 sends nothing: there is no rate to judge.
        const auto error = serial::NearestStandardError(rate);
        if (!error || std::fabs(error->value) <= 2.0) return;
        out.push_back(Make("uart-baud-error", Severity::Warning, kUart, unit,
                           std::string(unit) + " runs at " + std::to_string(rate) + " bps, " +
                               error->percent + " % off the nearest standard rate (" +
                               std::to_string(error->standard) + " bps)",
                           record, position, 0xFF));
    };
    if (portio::IsUart0Routed(portIo)) {
        const PeripheralRecord& t = p.Record(Pid::Timers);
        check("UART0",
              serial::Uart0BaudRate(p.Sysclk(), Reg(t, TimersReg::CKCON), Reg(t, TimersReg::TH1)),
              Pid::Timers, TimersReg::TH1);
    }
    if (p.LargePackage() && portio::IsUart1Routed(portIo)) {
        const PeripheralRecord& u = p.Record(Pid::Uart);
        check("UART1",
              serial::Uart1BaudRate(p.Sysclk(), Reg(u, UartReg::SBCON1), Reg(u, UartReg::SBRLH1),
                                    Reg(u, UartReg::SBRLL1)),
              Pid::Uart, UartReg::SBRLH1);
    }
}

void UartTimerStoppedRule(const Project& p, std::vector<Problem>& out) {
    if (!portio::IsUart0Routed(p.Record(Pid::PortIO))) return;
    const PeripheralRecord& t = p.Record(Pid::Timers);
    const bool running = Reg(t, TimersReg::TCON) & kTimer1Run;
    const bool autoReload = (Reg(t, TimersReg::TMOD) & kTimer1ModeMask) == kTimer1AutoReload;
    if (running && autoReload) return;
    std::string why = !running && !autoReload ? "stopped and not in 8-bit auto-reload mode"
                      : !running              ? "stopped"
                                              : "not in 8-bit auto-reload mode";
    Problem problem = Make("uart-timer-stopped", Severity::Warning, kTimers, kTimer1Page,
                           "UART0 is on the crossbar, but Timer 1, its baud-rate clock, is " +
                               why + ", so its baud rate never happens",
                           Pid::Timers, TimersReg::TCON, kTimer1Run);
    problem.Fix = {{Pid::Timers, TimersReg::TMOD, kTimer1ModeMask, kTimer1AutoReload},
                   {Pid::Timers, TimersReg::TCON, kTimer1Run, kTimer1Run}};
    problem.FixText = "Start Timer 1 in 8-bit auto-reload mode";
    out.push_back(std::move(problem));
}

void SmbusTimeoutRule(const Project& p, std::vector<Problem>& out) {
    if (!(Reg(p.Record(Pid::Smbus), SmbusReg::SMB0CF) & kSclTimeout) || p.Sysclk() == 0) return;
    const PeripheralRecord& t = p.Record(Pid::Timers);
    const std::uint8_t ckcon = Reg(t, TimersReg::CKCON), rlh = Reg(t, TimersReg::TMR3RLH),
                       rll = Reg(t, TimersReg::TMR3RLL);
    if (timers::Timer3Overflows25ms(p.Sysclk(), ckcon, rlh, rll)) return;
    const serial::TimerRegisters regs{ckcon, 0, 0, 0, 0, rll, rlh};
    out.push_back(Make("smbus-timeout", Severity::Warning, kSmbus, kSmbusPage,
                       "SCL timeout detection is on: " +
                           serial::SmbusTimer3StatusText(p.Sysclk(), regs),
                       Pid::Timers, TimersReg::TMR3RLH, 0xFF));
}

// --- generated code -----------------------------------------------------------

void AsmDuplicateLabelRule(const Project& p, std::vector<Problem>& out) {
    // A C file has no labels; the rule reads the assembly the project writes.
    if (p.CodeFormat() == 0) return;
    CDeviceData data;
    data.CodeFormat = 1;
    data.Peripherals = p.Records();
    const std::string text = data.Generated();
    // Label definitions: a name at the start of a line, then ':'.
    std::map<std::string, int> seen;
    std::vector<std::pair<std::string, std::size_t>> repeated;  // label, offset
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find("\r\n", at);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(at, end - at);
        const std::size_t colon = line.find(':');
        const bool isName =
            colon != std::string::npos && colon > 0 &&
            std::all_of(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(colon),
                        [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; });
        if (isName && ++seen[line.substr(0, colon)] == 2)
            repeated.emplace_back(line.substr(0, colon), at);
        at = end + 2;
    }
    for (const auto& [label, offset] : repeated) {
        // The routine that holds the second definition, and in it the
        // register whose code texts define it.
        PeripheralId record = -1;
        std::size_t from = 0;
        for (const auto& [id, rec] : data.Peripherals) {
            if (!rec.IsWritten()) continue;
            const std::size_t head = text.find(rec.AsmLabel, from);
            if (head == std::string::npos || head > offset) break;
            record = id;
            from = head + 1;
        }
        int position = -1;
        if (record >= 0) {
            const auto& regs = data.Peripherals[record].Registers;
            for (std::size_t i = 0; i < regs.size(); ++i)
                if (regs[i].IsWritten() && (regs[i].AsmPre + regs[i].AsmPost).find(label + ":\r\n") !=
                                               std::string::npos)
                    position = static_cast<int>(i);
        }
        // Today only the oscillator record's start-up code defines labels.
        std::string page;
        if (record == Pid::Oscillator)
            page = position == OscillatorReg::CLKMUL ? kClockMultiplierPage : kExternalOscillatorPage;
        out.push_back(Make("asm-duplicate-label", Severity::Warning, CommandOfRecord(record), page,
                           "The assembly output defines the label " + label +
                               " twice, so an assembler refuses the file: use the C output "
                               "(Options > Code Format), or rename one of the labels by hand",
                           record, position, 0));
    }
}

// --- all ----------------------------------------------------------------------

std::vector<Problem> FindProblems(const Project& project) {
    using Rule = void (*)(const Project&, std::vector<Problem>&);
    static constexpr Rule kRules[] = {
        XtalPinRule,        AdcInputPinRule,       AdcCnvstrPinRule,     ComparatorInputPinRule,
        CrossbarDisabledRule, CrossbarNoPinRule,   SysclkInvalidRule,    UartBaudErrorRule,
        PcaOutputUnroutedRule, XtalDriveRule,      AsmDuplicateLabelRule, UartTimerStoppedRule,
        VrefPinRule,        SmbusTimeoutRule,
    };
    std::vector<Problem> problems;
    for (Rule rule : kRules)
        rule(project, problems);
    std::stable_sort(problems.begin(), problems.end(), [](const Problem& a, const Problem& b) {
        const int ca = models::PeripheralMenuPosition(a.CommandId);
        const int cb = models::PeripheralMenuPosition(b.CommandId);
        return ca != cb ? ca < cb : a.Id < b.Id;
    });
    return problems;
}

std::vector<Problem> FindProblems(const CDeviceDocument& doc) {
    return FindProblems(Project(doc));
}

std::vector<Problem> ProblemsOfCommand(const std::vector<Problem>& problems, int commandId) {
    std::vector<Problem> out;
    for (const Problem& p : problems)
        if (p.CommandId == commandId) out.push_back(p);
    return out;
}

// --- fixes --------------------------------------------------------------------

bool ApplyFix(CDeviceDocument& doc, const Problem& problem) {
    if (!problem.Fixable()) return false;
    std::map<PeripheralId, PeripheralRecord> records;
    for (const RegisterWrite& w : problem.Fix) {
        auto [it, fresh] = records.try_emplace(w.Record);
        if (fresh) {
            doc.GetPeripheral(it->second, w.Record);
            CompleteRecord(it->second, doc.DeviceCode, w.Record);
        }
        auto& regs = it->second.Registers;
        if (static_cast<std::size_t>(w.Position) >= regs.size()) return false;
        auto& value = regs[static_cast<std::size_t>(w.Position)].Value;
        value = static_cast<std::uint8_t>((value & ~w.Mask) | (w.Value & w.Mask));
    }
    if (auto portIo = records.find(Pid::PortIO); portIo != records.end()) {
        // The pin map comment follows the new placement, as the crossbar page writes it on OK.
        PeripheralRecord spi;
        doc.GetPeripheral(spi, Pid::Spi);
        CompleteRecord(spi, doc.DeviceCode, Pid::Spi);
        portio::CCrossbar crossbar(models::IsLargePackage(doc.DeviceCode), spi);
        crossbar.DecodeCrossbar(portIo->second);
        crossbar.BuildPinComment(portIo->second);
    }
    for (const auto& [id, record] : records)
        doc.SetPeripheral(record, id);
    return true;
}

std::vector<Problem> FixAll(CDeviceDocument& doc) {
    std::vector<Problem> fixed;
    std::set<std::pair<std::string, std::string>> tried;  // id, message
    // Each round fixes one problem not tried before; the bound only guards
    // against fixes that would keep making new problems.
    for (int round = 0; round < 100; ++round) {
        const std::vector<Problem> problems = FindProblems(doc);
        const auto next = std::find_if(problems.begin(), problems.end(), [&](const Problem& p) {
            return p.Fixable() && !tried.count({p.Id, p.Message});
        });
        if (next == problems.end()) break;
        tried.insert({next->Id, next->Message});
        if (ApplyFix(doc, *next)) fixed.push_back(*next);
    }
    return fixed;
}

}  // namespace chip
