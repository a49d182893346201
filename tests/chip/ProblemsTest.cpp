#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "chip/ClockMath.h"
#include "chip/OscText.h"
#include "chip/Problems.h"
#include "chip/TimerMath.h"
#include "support/ChipFixture.h"

namespace {

using chip::Problem;

// A project and the register pokes the cases are made of.
struct Doc {
    std::unique_ptr<CQ7R2xDoc> doc;
    explicit Doc(int model) : doc(NewProject(model)) {}

    std::uint8_t& At(PeripheralId id, int position) { return Reg(*doc, id, position); }
    std::vector<Problem> Problems(const std::string& id) const {
        std::vector<Problem> out;
        for (const Problem& p : chip::FindProblems(*doc))
            if (p.Id == id) out.push_back(p);
        return out;
    }
};

constexpr int kXbr0 = PortIOReg::XBR0, kXbr1 = PortIOReg::XBR1, kXbr2 = PortIOReg::XBR2;
void AnalogSkipped(Doc& d, int port, std::uint8_t bits) {
    d.At(Pid::PortIO, PortIOReg::P0MDIN + port) &= ~bits;
    d.At(Pid::PortIO, PortIOReg::P0SKIP + port) |= bits;
}
void RouteUart0(Doc& d) {
    d.At(Pid::PortIO, kXbr0) |= 0x01;
    d.At(Pid::PortIO, kXbr1) |= 0x40;
}
void Timer1Baud(Doc& d, std::uint32_t sysclk, int rate) {
    auto& timers = d.doc->DeviceData.Peripherals.at(Pid::Timers);
    timers::ApplyBitRate(timers, timers::kChoice1H, timers::Timer1BaudReload(sysclk, rate));
    d.At(Pid::Timers, TimersReg::TMOD) = 0x20;
    d.At(Pid::Timers, TimersReg::TCON) = 0x40;
}
void Uart1Baud(Doc& d, std::uint32_t sysclk, int rate) {
    timers::ApplyUart1Baud(d.doc->DeviceData.Peripherals.at(Pid::Uart),
                           timers::Uart1BaudReload(sysclk, rate));
}
void Crystal(Doc& d, std::uint8_t oscxcn, std::uint32_t hz) {
    d.At(Pid::Oscillator, OscillatorReg::OSCXCN) = oscxcn;
    d.doc->ExtOscFrequency = hz;
}

struct Case {
    const char* name;
    const char* id;
    int model;
    std::function<void(Doc&)> breakIt;
    std::function<void(Doc&)> putRight;
    std::size_t count = 1;  // problems of the id on the broken project
    bool fixable = false;
    const char* message = nullptr;  // the first problem's text, where it is checked
};

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        {"XtalPinsOfACrystalAreDigital", "xtal-pin", 0, [](Doc& d) { Crystal(d, 0x67, 22118400); },
         [](Doc& d) { AnalogSkipped(d, 0, 0xC0); }, 2, true},
        {"XtalPinOfCmosOnTheSmallPackageIsNotSkipped", "xtal-pin", 2,
         [](Doc& d) { Crystal(d, 0x20, 8000000); },
         [](Doc& d) { d.At(Pid::PortIO, PortIOReg::P0SKIP) |= 0x08; }, 1, true},
        {"AdcInputPinsAreDigital", "adc-input-pin", 0,
         [](Doc& d) { d.At(Pid::Adc, AdcReg::ADC0CN) = 0x80; },  // P2.0 on both inputs
         [](Doc& d) { AnalogSkipped(d, 2, 0x01); }, 2, true},
        {"AdcPort4InputIsDigital", "adc-input-pin", 0,
         [](Doc& d) {
             d.At(Pid::Adc, AdcReg::ADC0CN) = 0x80;
             d.At(Pid::Adc, AdcReg::AMX0P) = 0x0C;  // P4.3
             d.At(Pid::Adc, AdcReg::AMX0N) = 0x1F;  // GND
         },
         [](Doc& d) { d.At(Pid::PortIO, PortIOReg::P4MDIN) &= ~0x08; }, 1, true},
        {"CnvstrPinIsNotSkipped", "adc-cnvstr-pin", 3,
         [](Doc& d) { d.At(Pid::Adc, AdcReg::ADC0CN) = 0x84; },
         [](Doc& d) { d.At(Pid::PortIO, PortIOReg::P0SKIP) |= 0x40; }, 1, true},
        {"ComparatorInputsAreDigital", "comparator-input-pin", 0,  // Comparator1: P2.2, P2.3
         [](Doc& d) { d.At(Pid::Comparators, ComparatorsReg::CPT1CN) = 0x80; },
         [](Doc& d) { AnalogSkipped(d, 2, 0x0C); }, 2, true},
        {"CrossbarNotEnabled", "crossbar-disabled", 0,
         [](Doc& d) { d.At(Pid::PortIO, PortIOReg::P0MDOUT) |= 0x01; },  // P0.0 push-pull
         [](Doc& d) { d.At(Pid::PortIO, kXbr1) |= 0x40; }, 1, true},
        {"Tx0PinIsSkipped", "crossbar-no-pin", 2,
         [](Doc& d) {
             RouteUart0(d);
             d.At(Pid::PortIO, PortIOReg::P0SKIP) = 0x10;
         },
         [](Doc& d) { d.At(Pid::PortIO, PortIOReg::P0SKIP) = 0x00; }},
        {"SysclkIsZero", "sysclk-invalid", 0, [](Doc& d) { d.doc->SysclkFrequency = 0; },
         [](Doc& d) { d.doc->SysclkFrequency = 1500000; }},
        {"ExternalSourceAtZeroHertz", "sysclk-invalid", 0,
         [](Doc& d) { d.At(Pid::Oscillator, OscillatorReg::CLKSEL) = osc::kSrcExternal; },
         [](Doc& d) { d.doc->ExtOscFrequency = 11059200; }},
        {"Uart0RateAfterSysclkRose", "uart-baud-error", 0,
         [](Doc& d) {
             RouteUart0(d);
             Timer1Baud(d, 1500000, 115200);
             d.doc->SysclkFrequency = 12000000;  // 857142 bps
         },
         [](Doc& d) { Timer1Baud(d, 12000000, 115200); }, 1, false,
         "UART0 runs at 857142 bps, -6.99 % off the nearest standard rate (921600 bps)"},
        {"Uart1RateFarFromStandard", "uart-baud-error", 0,
         [](Doc& d) {
             d.At(Pid::PortIO, kXbr2) |= 0x01;
             d.At(Pid::PortIO, kXbr1) |= 0x40;
             d.At(Pid::Uart, UartReg::SBCON1) = 0x43;
             d.At(Pid::Uart, UartReg::SBRLH1) = 0xFF;
             d.At(Pid::Uart, UartReg::SBRLL1) = 0xFF;  // 750000 bps
         },
         [](Doc& d) { Uart1Baud(d, 1500000, 9600); }},
        {"Module0PwmWithoutCex0", "pca-output-unrouted", 0,
         [](Doc& d) { d.At(Pid::Pca, PcaReg::PCA0CPM0) = 0x42; },
         [](Doc& d) { d.At(Pid::PortIO, kXbr1) |= 0x01; }},
        {"Module2FrequencyOutputWithTwoChannels", "pca-output-unrouted", 2,
         [](Doc& d) {
             d.At(Pid::Pca, PcaReg::PCA0CPM2) = 0x46;
             d.At(Pid::PortIO, kXbr1) |= 0x02;
         },
         [](Doc& d) { d.At(Pid::PortIO, kXbr1) |= 0x03; }},
        {"CrystalAboveItsDriveRange", "xtal-drive", 0,
         [](Doc& d) { Crystal(d, 0x60, 22118400); },  // "f <= 32kHz"
         [](Doc& d) { d.At(Pid::Oscillator, OscillatorReg::OSCXCN) = 0x67; }, 1, true},
        {"RcBelowItsRange", "xtal-drive", 1, [](Doc& d) { Crystal(d, 0x47, 1000000); },
         [](Doc& d) { d.At(Pid::Oscillator, OscillatorReg::OSCXCN) = 0x46; }, 1, true},
        {"CrystalAboveEveryRange", "xtal-drive", 0, [](Doc& d) { Crystal(d, 0x67, 40000000); },
         [](Doc& d) { d.doc->ExtOscFrequency = 30000000; }},
        {"CrystalAndMultiplierInAssembly", "asm-duplicate-label", 0,
         [](Doc& d) {
             auto& rec = d.doc->DeviceData.Peripherals.at(Pid::Oscillator);
             Crystal(d, 0x67, 22118400);
             osc::ApplyExternalModeCode(rec);
             d.At(Pid::Oscillator, OscillatorReg::CLKMUL) = 0x80;
             osc::ApplyMultiplierCode(rec, true);
             d.doc->DeviceData.CodeFormat = 1;
         },
         [](Doc& d) { d.doc->DeviceData.CodeFormat = 0; }},
        {"Uart0WithTimer1Stopped", "uart-timer-stopped", 0,
         [](Doc& d) {
             RouteUart0(d);
             Timer1Baud(d, 1500000, 9600);
             d.At(Pid::Timers, TimersReg::TCON) = 0x00;
         },
         [](Doc& d) { d.At(Pid::Timers, TimersReg::TCON) = 0x40; }, 1, true},
        {"Uart0WithTimer1In16BitMode", "uart-timer-stopped", 2,
         [](Doc& d) {
             RouteUart0(d);
             Timer1Baud(d, 1500000, 9600);
             d.At(Pid::Timers, TimersReg::TMOD) = 0x10;
         },
         [](Doc& d) { d.At(Pid::Timers, TimersReg::TMOD) = 0x20; }, 1, true},
        {"VrefPinDigitalWhileTheAdcRuns", "vref-pin", 0,
         [](Doc& d) { d.At(Pid::Adc, AdcReg::ADC0CN) = 0x80; },
         [](Doc& d) { AnalogSkipped(d, 1, 0x20); }, 1, true},
        {"VrefPinDrivenByTheBufferOnTheSmallPackage", "vref-pin", 6,
         [](Doc& d) { d.At(Pid::VoltageReference, VoltageReferenceReg::REF0CN) = 0x01; },
         [](Doc& d) { d.At(Pid::VoltageReference, VoltageReferenceReg::REF0CN) = 0x09; }, 1, true},
        {"SmbusTimeoutWithoutTimer3", "smbus-timeout", 0,
         [](Doc& d) { d.At(Pid::Smbus, SmbusReg::SMB0CF) = 0x88; },
         [](Doc& d) {
             timers::ApplyTimer3Reload25ms(d.doc->DeviceData.Peripherals.at(Pid::Timers),
                                           timers::Timer3Reload25ms(1500000), false);
         }},
    };
    return cases;
}

class Rule : public ::testing::TestWithParam<Case> {};

TEST_P(Rule, FiresWhenBrokenAndNotOnceRight) {
    const Case& c = GetParam();
    Doc d(c.model);
    c.breakIt(d);
    const auto found = d.Problems(c.id);
    ASSERT_EQ(found.size(), c.count);
    if (c.message) {
        EXPECT_EQ(found[0].Message, c.message);
    }
    for (const Problem& p : found) {
        EXPECT_FALSE(p.Message.empty());
        EXPECT_FALSE(p.Command.empty());
        EXPECT_EQ(p.Fixable(), c.fixable) << p.Message;
    }
    c.putRight(d);
    EXPECT_TRUE(d.Problems(c.id).empty()) << d.Problems(c.id)[0].Message;
}

// A fix leaves nothing of its rule, writes only the bits it names (and, for
// Port I/O, the pin map comment), and the state before it brings it back.
TEST_P(Rule, FixClearsTheRuleAndTouchesOnlyItsRegisters) {
    const Case& c = GetParam();
    if (!c.fixable) return;  // the first test checks that none is offered
    Doc d(c.model);
    c.breakIt(d);
    const DocumentState before = d.doc->State();
    std::set<std::pair<PeripheralId, int>> named;
    for (const Problem& p : d.Problems(c.id)) {
        ASSERT_TRUE(chip::ApplyFix(*d.doc, p));
        for (const chip::RegisterWrite& w : p.Fix)
            named.insert({w.Record, w.Position});
    }
    EXPECT_TRUE(d.Problems(c.id).empty());
    for (const auto& [id, after] : d.doc->DeviceData.Peripherals) {
        const PeripheralRecord& was = before.Data.Peripherals.at(id);
        for (std::size_t i = 0; i < after.Registers.size(); ++i) {
            if (after.Registers[i].Value != was.Registers[i].Value) {
                EXPECT_TRUE(named.count({id, static_cast<int>(i)})) << id << ":" << i;
            }
        }
        PeripheralRecord texts = after;
        for (std::size_t i = 0; i < texts.Registers.size(); ++i)
            texts.Registers[i].Value = was.Registers[i].Value;
        if (id == Pid::PortIO) {
            texts.CPrologue = was.CPrologue;
            texts.AsmPrologue = was.AsmPrologue;
        }
        EXPECT_EQ(texts, was) << id;
    }
    d.doc->RestoreState(before);
    EXPECT_EQ(d.Problems(c.id).size(), c.count);
}

INSTANTIATE_TEST_SUITE_P(Problems, Rule, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Problems, ANewProjectOfEveryModelHasNone) {
    for (int m = 0; m < 8; ++m) {
        for (int format : {0, 1}) {
            auto doc = NewProject(m);
            doc->DeviceData.CodeFormat = format;
            const auto problems = chip::FindProblems(*doc);
            EXPECT_TRUE(problems.empty())
                << m << ": " << problems[0].Id << " " << problems[0].Message;
        }
    }
}

TEST(Problems, MessagesNameThePinOrValueAndSortByMenuThenId) {
    Doc d(0);
    Crystal(d, 0x60, 22118400);
    d.At(Pid::PortIO, PortIOReg::P0MDOUT) |= 0x01;
    const auto problems = chip::FindProblems(*d.doc);
    std::vector<std::string> lines;
    for (const Problem& p : problems)
        lines.push_back(std::string(chip::SeverityName(p.Level)) + ": " + p.Command + " > " +
                        p.Page + ": " + p.Message + " [" + p.Id + "]");
    EXPECT_EQ(lines,
              (std::vector<std::string>{
                  "warning: Port I/O > Priority Crossbar: Peripherals are on the crossbar or pins "
                  "are push-pull, but \"Enable Crossbar\" is clear [crossbar-disabled]",
                  "warning: Oscillators > External Oscillator: 22118400 Hz is outside the selected "
                  "frequency control \"f <= 32kHz\" (bits 000); \"10MHz < f <= 30MHz\" (bits "
                  "111) fits [xtal-drive]",
                  "warning: Oscillators > External Oscillator: P0.6 for XTAL1 is Digital and Not "
                  "Skipped: NOT Configured Properly [xtal-pin]",
                  "warning: Oscillators > External Oscillator: P0.7 for XTAL2 is Digital and Not "
                  "Skipped: NOT Configured Properly [xtal-pin]",
              }));
}

// A pin fix that would push a routed signal off the crossbar is not offered.
// Small package, every crossbar pin skipped but the XTAL pins P0.2 and P0.3:
// SYSCLK sits on P0.2 and moves to P0.3 when P0.2 is skipped; after that,
// skipping P0.3 as well would leave it no pin.
TEST(Problems, PinFixIsOfferedOnlyWhenEverySignalKeepsAPin) {
    Doc d(2);
    Crystal(d, 0x67, 22118400);
    d.At(Pid::PortIO, PortIOReg::P0SKIP) = 0xF3;
    d.At(Pid::PortIO, PortIOReg::P1SKIP) = 0xFF;
    d.At(Pid::PortIO, PortIOReg::P2SKIP) = 0xFF;
    d.At(Pid::PortIO, PortIOReg::P3SKIP) = 0x01;
    d.At(Pid::PortIO, kXbr0) |= 0x08;  // SYSCLK
    d.At(Pid::PortIO, kXbr1) |= 0x40;
    auto found = d.Problems("xtal-pin");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_TRUE(found[0].Fixable() && found[1].Fixable());
    EXPECT_EQ(found[0].FixText, "Make P0.2 analog and skipped");
    const auto fixed = chip::FixAll(*d.doc);
    ASSERT_EQ(fixed.size(), 1u);
    found = d.Problems("xtal-pin");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].Message,
              "P0.3 for XTAL2 is Digital and Not Skipped: NOT Configured Properly");
    EXPECT_FALSE(found[0].Fixable());
    EXPECT_TRUE(d.Problems("crossbar-no-pin").empty());
    // The pin map comment follows the new placement.
    const std::string& comment = d.doc->DeviceData.Peripherals.at(Pid::PortIO).CPrologue;
    EXPECT_NE(comment.find("P0.2  -  Skipped,     Open-Drain, Analog"), std::string::npos);
    EXPECT_NE(comment.find("P0.3  -  SYSCLK,      "), std::string::npos);
}

TEST(Problems, FrequencyRangesAreReadFromTheButtonLabels) {
    using osc::RangeOfLabel;
    EXPECT_EQ(RangeOfLabel("f <= 32kHz")->AtMost, 32000);
    EXPECT_EQ(RangeOfLabel("f <= 32kHz")->Above, 0);
    EXPECT_EQ(RangeOfLabel("590kHz   < f <= 1.5MHz")->Above, 590000);
    EXPECT_EQ(RangeOfLabel("590kHz   < f <= 1.5MHz")->AtMost, 1500000);
    EXPECT_FALSE(RangeOfLabel("K Factor = 2.6"));
    EXPECT_FALSE(RangeOfLabel("      Not Used"));
    // Lower bound exclusive, upper inclusive.
    EXPECT_EQ(osc::FittingFrequencyBits(osc::LabelSet::Crystal, 32000), 0);
    EXPECT_EQ(osc::FittingFrequencyBits(osc::LabelSet::Crystal, 32001), 1);
    EXPECT_EQ(osc::FittingFrequencyBits(osc::LabelSet::Rc, 3200000), 7);
    EXPECT_FALSE(osc::FittingFrequencyBits(osc::LabelSet::Rc, 3200001));
    EXPECT_FALSE(osc::FittingFrequencyBits(osc::LabelSet::Capacitor, 1000));
}

}  // namespace
