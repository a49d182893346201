#include <gtest/gtest.h>

#include <bit>
#include <random>
#include <sstream>

#include "chip/PinSolver.h"
#include "support/PortIOProject.h"

using namespace portio;

namespace {

struct Board {
    int Model = kLargeModel;
    std::uint8_t Xbr0 = 0, Xbr1 = 0, Xbr2 = 0;
    std::vector<int> Skipped = {};
    bool ThreeWire = false;
};

PortIOProject Make(const Board& s) {
    PortIOProject p(s.Model);
    p.Reg(PortIOReg::XBR0) = s.Xbr0;
    p.Reg(PortIOReg::XBR1) = s.Xbr1;
    p.Reg(PortIOReg::XBR2) = s.Xbr2;
    for (int pin : s.Skipped)
        p.Skip(pin);
    if (s.ThreeWire) p.spi.Registers[SpiReg::SPI0CN].Value = 0x00;
    return p;
}

// "SDA=P1.2 CP0=P0.5": signal and pin names, in order.
using Named = std::vector<std::pair<std::string, std::string>>;
Named Parse(const std::string& text) {
    Named out;
    std::istringstream in(text);
    for (std::string item; in >> item;)
        out.push_back({item.substr(0, item.find('=')), item.substr(item.find('=') + 1)});
    return out;
}

std::vector<PinWish> Wishes(const std::string& text) {
    std::vector<PinWish> out;
    for (const auto& [signal, pin] : Parse(text))
        out.push_back({SignalByName(signal).value(), PinByName(pin).value()});
    return out;
}

PinPlan Solve(PortIOProject& p, const std::vector<PinWish>& wishes) {
    return SolvePins(p.port, p.Large(), p.spi, wishes);
}

// Where the crossbar itself puts each signal of a record.
std::map<std::string, int> Placed(const PortIOProject& p, const PeripheralRecord& rec) {
    CCrossbar xbar(p.Large(), p.spi);
    std::map<std::string, int> out;
    for (const auto& cell : xbar.DecodeCrossbar(rec).AssignedCells)
        out[xbar.SignalList()[static_cast<std::size_t>(cell.GridRow)].GridName] = cell.Pin;
    return out;
}

// P0.0 and the pins above it, `n` in all.
std::vector<int> FirstPins(int n) {
    std::vector<int> out;
    for (int p = 0; p < n; ++p)
        out.push_back(p);
    return out;
}

}  // namespace

TEST(PinSolver, NamesOfSignalsAndPins) {
    // Which index each name has: HandWorkedCases, through SignalName.
    EXPECT_EQ(SignalByName("sda"), 6);
    for (const char* bad : {"", "NSS*", "SDA1", "Skipped"})
        EXPECT_FALSE(SignalByName(bad)) << bad;
    EXPECT_EQ(PinByName("p3.7"), 31);
    for (const char* bad : {"P4.0", "P0.8", "P1", "P1.2 ", "Q1.2", "P-1.2"})
        EXPECT_FALSE(PinByName(bad)) << bad;
}

// Hand-worked placements: the skips added, and where the crossbar then puts
// the wished signals and those named in `lands`.
TEST(PinSolver, HandWorkedCases) {
    struct Case {
        Board board;
        const char* wishes;
        std::vector<int> added;
        const char* lands;
        std::uint8_t xbr0, xbr1;  // after solving
    };
    const Case cases[] = {
        {{.Xbr0 = 0x04, .Xbr1 = 0x40}, "SDA=P0.0", {}, "SCL=P0.1", 0x04, 0x40},  // already there
        {{}, "SDA=P1.2", FirstPins(10), "SCL=P1.3", 0x04, 0x40},
        // The first wish's skips help the second.
        {{}, "SDA=P0.2 CP0=P0.5", {0, 1, 3}, "SCL=P0.4", 0x14, 0x40},
        // SPI0 keeps four free pins below the wanted one; UART0 its fixed pins.
        {{.Xbr0 = 0x02}, "SDA=P0.5", {0}, "SCK=P0.1 NSS=P0.4 SCL=P0.6", 0x06, 0x40},
        {{.Xbr0 = 0x01}, "SDA=P0.6", FirstPins(4), "TX0=P0.4 RX0=P0.5 SCL=P0.7", 0x05, 0x40},
        // Among equally few skips, the lowest pin.
        {{.Xbr0 = 0x04}, "CP0=P0.3", {0}, "SDA=P0.1 SCL=P0.2", 0x14, 0x40},
        {{.Skipped = {0, 1}}, "SYSCLK=P0.3", {2}, "", 0x08, 0x40},  // a user's skip counts
        {{.Xbr1 = 0x10}, "ECI=P0.1", {0}, "T0=P0.2", 0x00, 0x58},   // an unnamed signal moves
        {{}, "NSS=P0.7", FirstPins(4), "SCK=P0.4 MOSI=P0.6", 0x02, 0x40},  // four-wire
        // CEX2 raises the channel count to 3; a larger count stays.
        {{}, "CEX2=P0.5", FirstPins(3), "CEX0=P0.3 CEX1=P0.4", 0x00, 0x43},
        {{.Xbr1 = 0x05}, "CEX1=P0.3", FirstPins(2), "CEX0=P0.2 CEX2=P0.4 CEX4=P0.6", 0x00, 0x45},
        // The last pin of each package; the lowest skips first.
        {{.Model = kSmallModel}, "SDA=P2.7", FirstPins(23), "SCL=P3.0", 0x04, 0x40},
        {{.Xbr2 = 0x01}, "RX1=P3.7", FirstPins(30), "TX1=P3.6", 0x00, 0x40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wishes);
        PortIOProject p = Make(c.board);
        const PinPlan plan = Solve(p, Wishes(c.wishes));
        ASSERT_TRUE(plan.Solved()) << plan.Refusal->Text();
        EXPECT_EQ(plan.AddedSkips, c.added);
        const auto placed = Placed(p, plan.PortIo);
        for (const auto& [signal, pin] : Parse(std::string(c.wishes) + " " + c.lands))
            EXPECT_EQ(placed.at(signal), PinByName(pin).value()) << signal;
        EXPECT_EQ(plan.PortIo.Registers[PortIOReg::XBR0].Value, c.xbr0);
        EXPECT_EQ(plan.PortIo.Registers[PortIOReg::XBR1].Value, c.xbr1);
        // Skips are added, never removed, and nothing but the crossbar
        // registers changes.
        for (std::size_t r = 0; r < p.port.Registers.size(); ++r) {
            const std::uint8_t before = p.port.Registers[r].Value;
            const std::uint8_t after = plan.PortIo.Registers[r].Value;
            if (r >= PortIOReg::P0SKIP && r <= PortIOReg::P3SKIP) {
                EXPECT_EQ(before & ~after, 0) << "skip register " << r;
            } else if (r < PortIOReg::P0SKIP) {
                EXPECT_EQ(before, after) << "register " << r;
            }
        }
        // Every routed signal is listed with its pin, the named ones marked.
        for (const auto& l : plan.Landings) {
            EXPECT_EQ(l.Pin, placed.at(SignalName(l.Signal)));
            const std::string wish = " " + SignalName(l.Signal) + "=";
            EXPECT_EQ(l.Wanted, (std::string(" ") + c.wishes).find(wish) != std::string::npos);
        }
        EXPECT_EQ(plan.Landings.size(), placed.size());
        // The pin-map comment is the crossbar page's for the solved record.
        CCrossbar xbar(p.Large(), p.spi);
        xbar.DecodeCrossbar(plan.PortIo);
        PeripheralRecord expected = plan.PortIo;
        xbar.BuildPinComment(expected);
        EXPECT_EQ(plan.PortIo.CPrologue, expected.CPrologue);
        EXPECT_EQ(plan.PortIo.AsmPrologue, expected.AsmPrologue);
    }
}

// Every refusal names the last wish and the reason, and changes nothing.
TEST(PinSolver, ImpossibleWishesAreRefusedWithTheirReason) {
    const Board large, small{.Model = kSmallModel}, uart0{.Xbr0 = 0x01}, spi0{.Xbr0 = 0x02};
    const struct {
        Board board;
        const char* wishes;
        const char* reason;
    } cases[] = {
        {large, "TX0=P0.3", "TX0 can only be on P0.4"},
        {large, "MISO=P0.0", "MISO can only be on P0.1 to P3.5"},
        {large, "SCK=P3.5", "SCK can only be on P0.0 to P3.4"},
        {small, "MOSI=P3.0", "NSS would be left without a pin"},
        {small, "SDA=P3.1", "this model's crossbar ends at P3.0"},
        {small, "TX1=P0.0", "TX1 is only on the large-package models"},
        {large, "SDA=P1.2 CP0=P1.2", "P1.2 is already wanted for SDA"},
        {large, "SDA=P1.2 SDA=P1.3", "SDA is already wanted on P1.2"},
        {{.Skipped = {10}}, "SDA=P1.2", "P1.2 is skipped, and skips are only ever added"},
        {{.ThreeWire = true}, "NSS=P0.3", "NSS takes no pin while SPI0 is in three-wire mode"},
        {uart0, "SDA=P0.4",
         "TX0 comes before SDA in the crossbar's order and cannot be kept off P0.4"},
        {spi0, "SDA=P0.2",
         "SCK, MISO and MOSI come before SDA in the crossbar's order and cannot all be kept off "
         "P0.2"},
        {large, "CP0=P0.0 SDA=P1.2",
         "SDA comes before CP0 in the crossbar's order and cannot be kept off P0.0"},
        {large, "SCL=P0.1 SDA=P0.3",
         "SDA comes before SCL in the crossbar's order and cannot be kept off P0.1"},
        {{.Xbr0 = 0x01, .Skipped = {4}},
         "SDA=P1.0",
         "TX0 has no pin in the project as it stands, and added skips cannot give it one"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wishes);
        PortIOProject p = Make(c.board);
        const PinPlan plan = Solve(p, Wishes(c.wishes));
        const std::string last = std::string(c.wishes).substr(std::string(c.wishes).rfind(' ') + 1);
        ASSERT_FALSE(plan.Solved());
        EXPECT_EQ(plan.Refusal->Text(), last + ": " + c.reason);
        EXPECT_TRUE(plan.AddedSkips.empty());
        EXPECT_EQ(plan.PortIo.Registers, p.port.Registers);
        EXPECT_EQ(plan.PortIo.CPrologue, p.port.CPrologue);
    }
}

// For random small cases the solver agrees with trying every set of skips on
// the pins involved (the wanted pins and those below, with two to spare),
// fewest first and, among equally many, lowest pins first: on whether there
// is a solution and on the skips.
TEST(PinSolver, AgreesWithExhaustiveSearch) {
    std::mt19937 rng(20240523);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    int solved = 0, refused = 0, severalSkips = 0;
    for (int round = 0; round < 500; ++round) {
        Board s;
        s.Model = pick(2) ? kLargeModel : kSmallModel;
        s.Xbr0 = static_cast<std::uint8_t>(rng() & rng() & 0xFF);
        s.Xbr1 = static_cast<std::uint8_t>((pick(3) ? 0 : pick(6)) | (rng() & rng() & 0x38));
        s.Xbr2 = static_cast<std::uint8_t>(pick(4) == 0);
        s.ThreeWire = pick(4) == 0;
        for (int pin = 0; pin < 10; ++pin)
            if (pick(10) == 0) s.Skipped.push_back(pin);
        PortIOProject p = Make(s);
        const bool large = p.Large();
        CCrossbar xbar(large, p.spi);
        const int signals = static_cast<int>(xbar.SignalList().size());
        std::vector<PinWish> wishes;
        // Mostly pins in the signal's range; now and then any pin.
        for (int n = 1 + pick(3); n > 0; --n) {
            const int signal = pick(signals);
            const auto& e = xbar.SignalList()[static_cast<std::size_t>(signal)];
            const int lowest = std::max(0, e.LowestPin), last = std::min(10, e.HighestPin);
            wishes.push_back(
                {signal, pick(8) ? lowest + pick(std::max(1, last - lowest + 1)) : pick(11)});
        }

        const PinPlan plan = Solve(p, wishes);

        // The search by hand: route the wished signals, then skip sets of
        // growing size over the free pins up to two above the highest wish.
        PeripheralRecord rec = p.port;
        int top = 0;
        std::uint32_t wanted = 0;
        for (const auto& w : wishes) {
            const auto& e = xbar.SignalList()[static_cast<std::size_t>(w.Signal)];
            if (!IsEntryOn(rec, e)) ApplyCheckbox(rec, e, true);
            top = std::max(top, w.Pin + 2);
            wanted |= 1u << w.Pin;
        }
        std::vector<int> free;
        for (int pin = 0; pin <= top; ++pin)
            if (!(rec.Registers[SkipPosition(pin)].Value & PinMask(pin)) && !(wanted & (1u << pin)))
                free.push_back(pin);
        auto works = [&](const std::vector<int>& skips) {
            PeripheralRecord r = rec;
            for (int pin : skips)
                r.Registers[SkipPosition(pin)].Value |= PinMask(pin);
            const auto& d = xbar.DecodeCrossbar(r);
            for (const auto& w : wishes) {
                const bool lands = std::any_of(
                    d.AssignedCells.begin(), d.AssignedCells.end(),
                    [&](const auto& c) { return c.GridRow == w.Signal && c.Pin == w.Pin; });
                if (!lands) return false;
            }
            std::size_t routed = 0;
            for (const auto& e : xbar.SignalList())
                routed += e.LowestPin != kNotRouted && IsEntryOn(r, e);
            return d.AssignedCells.size() == routed;
        };
        // Among the skip sets of the smallest size that works, the lowest.
        std::optional<std::vector<int>> best;
        const int n = static_cast<int>(free.size());
        for (int k = 0; k <= n && !best; ++k) {
            for (unsigned mask = 0; mask < (1u << n); ++mask) {
                if (std::popcount(mask) != k) continue;
                std::vector<int> skips;
                for (int i = 0; i < n; ++i)
                    if (mask & (1u << i)) skips.push_back(free[static_cast<std::size_t>(i)]);
                if ((!best || skips < *best) && works(skips)) best = skips;
            }
        }
        SCOPED_TRACE("round " + std::to_string(round));
        ASSERT_EQ(plan.Solved(), best.has_value()) << (plan.Refusal ? plan.Refusal->Text() : "");
        if (best) {
            ++solved;
            severalSkips += plan.AddedSkips.size() > 1;
            EXPECT_EQ(plan.AddedSkips, *best);
            EXPECT_TRUE(works(plan.AddedSkips));
        } else {
            ++refused;
            EXPECT_EQ(plan.PortIo.Registers, p.port.Registers);
        }
    }
    // Both answers come up often enough to mean something.
    EXPECT_GT(solved, 100);
    EXPECT_GT(refused, 100);
    EXPECT_GT(severalSkips, 60);
}
