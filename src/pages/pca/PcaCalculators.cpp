#include "pages/pca/PcaCalculators.h"

#include <cmath>
#include <cstdio>

#include <QLineEdit>

#include "chip/Achieved.h"
#include "chip/ClockMath.h"
#include "chip/PcaRecord.h"
#include "chip/TimerMath.h"
#include "devices/Registers.h"
#include "model/Ui.h"
#include "model/DeviceDocument.h"
#include "pages/common/PageContext.h"

namespace {

// Control ids.
constexpr int kEciEdit = 11390;
constexpr int kCexClock = 11370;
constexpr int kCexTarget = 11368;
constexpr int kDutyTarget = 11371;
constexpr int kSysclkEdit = 11166;
constexpr int kExtOscEdit = 11168;
constexpr int kEciSourceEdit = 11171;
constexpr int kTimer0Edit = 11175;
constexpr int kSysclkRadio = 11365;
constexpr int kExtOscRadio = 11366;
constexpr int kEciRadio = 11367;
constexpr int kTimer0Radio = 11369;
constexpr int kTimeoutTarget = 11364;
constexpr int kChangeClocks = 11173;

constexpr double kNone = NAN;  // no result: the achieved line shows "-"

std::string Number(std::uint32_t v) {
    return std::to_string(v);
}

std::uint8_t& Reg(PeripheralRecord& r, int position) {
    return r.Registers.at(static_cast<std::size_t>(position)).Value;
}

}  // namespace

// ---------------------------------------------------------------- ECI

CEciFrequencyDlg::CEciFrequencyDlg(PageContext& context)
    : CCalculatorDlg("ECI Pin Frequency"), context_(context) {
    Builder().Group("ECI Pin Frequency");
    Builder().Edit(kEciEdit, "", "Hz");
}

void CEciFrequencyDlg::OnInitDialog() {
    SetText(kEciEdit, Number(context_.Eci()));
}

bool CEciFrequencyDlg::OnOK() {
    context_.SetEci(pca::LeadingUnsigned(Text(kEciEdit)));
    return true;
}

// ---------------------------------------------------------------- CEX

CCexFrequencyDlg::CCexFrequencyDlg(PeripheralRecord& pca, int module, std::uint32_t pcaClock)
    : CCalculatorDlg("Calculate CEX Frequency"), pca_(pca), module_(module), clock_(pcaClock) {
    Builder().Group("PCA Frequency");
    Builder().Display(kCexClock, "", "Hz");
    Builder().Group("Target CEX Frequency");
    Builder().Edit(kCexTarget, "", "Hz");
    AddAchievedLine();
}

void CCexFrequencyDlg::OnInitDialog() {
    SetText(kCexClock, Number(clock_));
    SetText(kAchievedId, AchievedText(kNone, 0, "Hz"));
}

pca::CexResult CCexFrequencyDlg::Compute() const {
    return pca::CalculateCex(clock_, osc::LeadingInteger(Text(kCexTarget)));
}

void CCexFrequencyDlg::OnEditChange(int id) {
    if (id != kCexTarget) return;
    const auto r = Compute();
    const double target = static_cast<double>(osc::LeadingInteger(Text(kCexTarget)));
    SetText(kAchievedId,
            AchievedText(r.outcome == pca::Outcome::Ok ? r.achieved : kNone, target, "Hz"));
}

bool CCexFrequencyDlg::OnOK() {
    const auto r = Compute();
    if (r.outcome == pca::Outcome::Silent) return false;
    if (r.outcome == pca::Outcome::Refused) {
        TheUi().Error("Error: Invalid CEX Frequency Value Using Current PCA Clock Frequency.");
        return false;
    }
    char text[80];
    std::snprintf(text, sizeof text, "Change PCA0 Data to:\n\n PCA0CPHN%d = %02X", module_,
                  r.value);
    if (!TheUi().Ask(text)) return false;  // No: the dialog stays open
    Reg(pca_, pca::Cph(module_)) = r.value;
    return true;
}

// ---------------------------------------------------------------- Duty cycle

CDutyCycleDlg::CDutyCycleDlg(PeripheralRecord& pca, int module, int range)
    : CCalculatorDlg("Duty Cycle"), pca_(pca), module_(module), range_(range) {
    Builder().Group("Target Duty Cycle");
    Builder().Edit(kDutyTarget, "", "%");
    AddAchievedLine();
}

void CDutyCycleDlg::OnInitDialog() {
    SetText(kAchievedId, AchievedText(kNone, 0, "%", 4));
}

void CDutyCycleDlg::OnEditChange(int id) {
    if (id != kDutyTarget) return;
    const double duty = pca::LeadingNumber(Text(kDutyTarget));
    const auto r = pca::CalculateDuty(duty, range_);
    SetText(kAchievedId,
            AchievedText(r.outcome == pca::Outcome::Ok ? r.achieved : kNone, duty, "%", 4));
}

bool CDutyCycleDlg::OnOK() {
    const auto r = pca::CalculateDuty(pca::LeadingNumber(Text(kDutyTarget)), range_);
    if (r.outcome == pca::Outcome::Silent) return false;
    if (r.outcome == pca::Outcome::Refused) {
        TheUi().Error("Error: Invalid Duty Cycle.");
        return false;
    }
    char text[120];
    if (range_ == 256)
        std::snprintf(text, sizeof text,
                      "Change PCA0 Data to:\n\n PCA0CPH%d = %02X\n PCA0CPL%d = 00", module_, r.cph,
                      module_);
    else
        std::snprintf(text, sizeof text,
                      "Change PCA0 Data to:\n\n PCA0CPH%d = %02X\n PCA0CPL%d = %02X", module_,
                      r.cph, module_, r.cpl);
    if (!TheUi().Ask(text)) return false;  // No: the dialog stays open
    Reg(pca_, pca::Cph(module_)) = r.cph;
    Reg(pca_, pca::Cpl(module_)) = r.cpl;
    return true;
}

// ---------------------------------------------------------------- Timeout

CTimeoutIntervalDlg::CTimeoutIntervalDlg(PageContext& context, PeripheralRecord& pca,
                                         const pca::TimeoutInputs& clocks)
    : CCalculatorDlg("Calculate Timeout Interval"), context_(context), pca_(pca), clocks_(clocks) {
    auto& b = Builder();
    b.Group("Frequencies");
    const struct {
        int radio, edit;
        const char* label;
    } rows[] = {{kSysclkRadio, kSysclkEdit, "SYSCLK:"},
                {kExtOscRadio, kExtOscEdit, "External Oscillator:"},
                {kEciRadio, kEciSourceEdit, "ECI Source:"},
                {kTimer0Radio, kTimer0Edit, "Timer 0:"}};
    for (const auto& row : rows) {
        b.BeginRow();
        b.Radio(row.radio, row.label);
        b.Display(row.edit, "", "Hz");
        b.EndRow();
    }
    b.Button(kChangeClocks, "Change Clock Frequencies");
    b.Group("Target Timeout Interval");
    b.Edit(kTimeoutTarget, "", "ms");
    AddAchievedLine();
}

void CTimeoutIntervalDlg::OnInitDialog() {
    // The radio of each clock choice, in the order of pca::TimeoutSource.
    constexpr int kRadios[] = {kSysclkRadio, kExtOscRadio, kEciRadio, kTimer0Radio};
    const auto source = pca::SourceForTimebase(pca_.Registers.at(PcaReg::PCA0MD).Value);
    CheckRadio(kSysclkRadio, kTimer0Radio, kRadios[static_cast<int>(source)]);
    ShowFrequencies();
}

pca::TimeoutSource CTimeoutIntervalDlg::Source() const {
    if (IsChecked(kExtOscRadio)) return pca::TimeoutSource::ExtOsc;
    if (IsChecked(kEciRadio)) return pca::TimeoutSource::Eci;
    if (IsChecked(kTimer0Radio)) return pca::TimeoutSource::Timer0;
    return pca::TimeoutSource::Sysclk;
}

void CTimeoutIntervalDlg::ShowFrequencies() {
    SetText(kSysclkEdit, Number(clocks_.sysclk));
    SetText(kExtOscEdit, Number(clocks_.extOsc));
    SetText(kEciSourceEdit, Number(clocks_.eci));
    SetText(kTimer0Edit, Number(clocks_.timer0Rate));
    ShowAchieved();
}

void CTimeoutIntervalDlg::ShowAchieved() {
    const double target = pca::LeadingNumber(Text(kTimeoutTarget));
    const auto r =
        pca::CalculateTimeout(Source(), clocks_, target, pca_.Registers.at(PcaReg::PCA0L).Value);
    if (r.outcome == pca::Outcome::Ok) {
        SetText(kAchievedId, AchievedText(r.achieved, target, "ms", 1));
        return;
    }
    // Why there is nothing to show: the target, the chosen clock, or the range.
    struct Clock {
        const char* name;
        std::uint32_t frequency;
    };
    const Clock clocks[] = {{"SYSCLK", clocks_.sysclk},
                            {"External Oscillator", clocks_.extOsc},
                            {"ECI Source", clocks_.eci},
                            {"Timer 0", clocks_.timer0Rate}};
    const Clock& clock = clocks[static_cast<int>(Source())];
    if (!(target > 0))
        SetText(kAchievedId, NoAchievedText(kNoTarget));
    else if (clock.frequency == 0)
        SetText(kAchievedId, NoAchievedText(NoClockReason(clock.name)));
    else
        SetText(kAchievedId, NoAchievedText("no PCA0CPL4 value fits at this clock"));
}

void CTimeoutIntervalDlg::OnEditChange(int id) {
    if (id == kTimeoutTarget) ShowAchieved();
}

void CTimeoutIntervalDlg::OnCommand(int id) {
    switch (id) {
        case kEciRadio:
            // Every click that leaves the radio checked asks for the ECI frequency.
            if (IsChecked(kEciRadio)) {
                CEciFrequencyDlg eci(context_);
                if (eci.Run()) clocks_.eci = context_.Eci();
                ShowFrequencies();
            }
            break;
        case kSysclkRadio:
        case kExtOscRadio:
        case kTimer0Radio:
            ShowAchieved();
            break;
        case kChangeClocks:
            if (context_.OpenSheet(SheetId::Oscillators)) {
                clocks_.sysclk = context_.Sysclk();
                clocks_.extOsc = context_.ExtOsc();
                // The Timer 0 rate from the document's own timer record, not
                // from the copy the PCA sheet was given.
                PeripheralRecord timers;
                context_.Doc().GetPeripheral(timers, Pid::Timers);
                const auto& regs = timers.Registers;
                if (regs.size() > TimersReg::TH0)
                    clocks_.timer0Rate = pca::Timer0OverflowRate(
                        clocks_.sysclk, regs[TimersReg::CKCON].Value, regs[TimersReg::TH0].Value);
                ShowFrequencies();
            }
            break;
        default:
            CCalculatorDlg::OnCommand(id);
    }
}

bool CTimeoutIntervalDlg::OnOK() {
    const auto r =
        pca::CalculateTimeout(Source(), clocks_, pca::LeadingNumber(Text(kTimeoutTarget)),
                              pca_.Registers.at(PcaReg::PCA0L).Value);
    if (r.outcome != pca::Outcome::Ok) {
        TheUi().Error("Error: Invalid Timeout Interval Using Current Frequency.");
        return false;
    }
    char text[160];
    std::snprintf(text, sizeof text,
                  "Change PCA0's Data to:\n\n PCA0CPL4 = %02X\n Clock Source: %s", r.cpl4,
                  r.clockName.c_str());
    if (!TheUi().Ask(text)) return false;  // No: the dialog stays open
    Reg(pca_, pca::Cpl(4)) = r.cpl4;
    std::uint8_t& md = Reg(pca_, PcaReg::PCA0MD);
    md = static_cast<std::uint8_t>((md & ~pca::kTimebaseMask) | r.timebase);
    return true;
}
