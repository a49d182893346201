#include <gtest/gtest.h>

#include <set>

#include "chip/ClockLayout.h"
#include "chip/ClockTree.h"
#include "chip/Project.h"
#include "support/ClockProjects.h"

namespace {

TEST(Project, CompletesShortRecordsAndPlacesTheCrossbarAsThePortIoPage) {
    auto doc = NewProject(0);
    PeripheralRecord portIo;
    doc->GetPeripheral(portIo, Pid::PortIO);
    portIo.Registers[PortIOReg::XBR0].Value |= portio::xbr::kUart0;
    const std::size_t full = portIo.Registers.size();
    doc->SetPeripheral(portIo, Pid::PortIO);
    // A record cut short by an old file reads with its missing entries at reset.
    PeripheralRecord timers;
    doc->GetPeripheral(timers, Pid::Timers);
    const std::size_t timerCount = timers.Registers.size();
    timers.Registers.resize(2);
    doc->SetPeripheral(timers, Pid::Timers);
    doc->SysclkFrequency = 24500000;

    const chip::Project project(*doc);
    EXPECT_EQ(project.Record(Pid::PortIO).Registers.size(), full);
    EXPECT_EQ(project.Record(Pid::Timers).Registers.size(), timerCount);
    EXPECT_EQ(project.Sysclk(), 24500000u);
    EXPECT_TRUE(project.LargePackage());
    ASSERT_EQ(project.Placement().Pins.size(), 32u);
    EXPECT_EQ(project.Placement().Pins[4].Label, "TX0 (UART0), ");
    // A copy: later changes to the document leave it as it was.
    doc->SysclkFrequency = 1;
    EXPECT_EQ(project.Sysclk(), 24500000u);
    EXPECT_FALSE(chip::Project(*NewProject(2)).LargePackage());
}

chip::ClockTree TreeOf(const CDeviceDocument& doc) {
    return chip::ClockTree(chip::Project(doc));
}

// Each figure worked out by hand from the registers the project sets.
TEST(ClockTree, HandWorkedFigures) {
    const struct {
        const char* project;
        const char* node;
        const char* parent;
        const char* text;  // the figure as the page shows it
        bool inUse;
    } rows[] = {
        // The crystal project's oscillators, timers, UART0, SMBus, CEX0 and
        // watchdog: the Text test; its Timer 2: the CLI's clocks --json.
        // SYSCLK / 4 = 5529600; CEX1 at 5529600 / 22.
        {"crystal", "pca", "sysclk", "5529600", true},
        {"crystal", "pca.cex1", "pca", "251345", true},
        {"crystal", "pca.cex2", "pca", "-", false},
        {"crystal", "spi0", "sysclk", "11059200", false},
        // 12 MHz x 4 through the multiplier; the page's "/ 2 Speed" is 24 MHz.
        {"multiplier", "intosc", "", "12000000", true},
        {"multiplier", "multiplier", "intosc", "24000000", true},
        {"multiplier", "sysclk", "multiplier", "48000000", true},
        {"multiplier", "usb", "multiplier", "48000000", true},
        // SPI0CKR = 5: 48 MHz / 12; AD0SC = 15: 48 MHz / 16.
        {"multiplier", "spi0", "sysclk", "4000000", true},
        {"multiplier", "adc0", "sysclk", "3000000", true},
        // SYSCLK / (2 x (65536 - 0xFF30)) = 115384.6, rounded.
        {"multiplier", "uart1", "sysclk", "115385", true},
        {"multiplier", "uart0", "timer1", "7812", false},
        // Timer 2's low byte on SYSCLK, reload 0xD8: 12 MHz / 40.
        {"small", "timer2", "sysclk", "300000", true},
        {"small", "smbus", "timer2", "100000", true},
        // Timer 3 at SYSCLK / 12 for 25000 counts: 25 ms, 40 overflows a second.
        {"small", "timer3", "sysclk", "40.0000", true},
        // Timer 0 at SYSCLK / 4, TH0 = 0: 3 MHz / 256 = 11718.75; CEX0 / (2 x 2).
        {"small", "timer0", "sysclk", "11718", true},
        {"small", "pca", "timer0", "11718", true},
        {"small", "pca.cex0", "pca", "2929", true},
        // (15 + 1) x 256 counts at 11718 Hz.
        {"small", "watchdog", "pca", "349.5", true},
        {"small", "uart1", "sysclk", "-", false},
        // 80 kHz L-F oscillator as SYSCLK; USB from the RC oscillator, not halved.
        {"lowfreq", "lfosc", "", "80000", true},
        {"lowfreq", "sysclk", "lfosc", "80000", true},
        {"lowfreq", "usb", "extosc", "1000000", true},
        {"lowfreq", "pca", "", "32768", true},
        {"lowfreq", "pca.cex1", "pca", "64", true},
    };
    for (const auto& row : rows) {
        const chip::ClockTree tree = TreeOf(*ClockProjectNamed(row.project).Build());
        const chip::ClockNode* n = tree.Find(row.node);
        ASSERT_NE(n, nullptr) << row.node;
        SCOPED_TRACE(std::string(row.project) + " " + row.node);
        EXPECT_EQ(n->parent, row.parent);
        EXPECT_EQ(n->text, row.text);
        EXPECT_EQ(n->inUse, row.inUse);
        EXPECT_EQ(n->hz.has_value(),
                  std::string(row.text) != "-" && n->unit != "%" && n->unit != "ms");
        EXPECT_FALSE(n->warning);
    }
    const chip::ClockTree multiplier = TreeOf(*ClockProjectNamed("multiplier").Build());
    EXPECT_EQ(*multiplier.Find("uart1")->errorPercent, 0.16);
}

TEST(ClockTree, NeededClocksOfZeroAndModelsWithoutAPart) {
    // The external oscillator chosen as SYSCLK with no frequency typed.
    auto doc = ClockProjectNamed("crystal").Build();
    doc->SysclkFrequency = 0;
    doc->ExtOscFrequency = 0;
    const chip::ClockTree tree = TreeOf(*doc);
    for (const char* name : {"extosc", "sysclk", "timer0", "timer1", "uart0", "smbus", "pca"})
        EXPECT_TRUE(tree.Find(name)->warning) << name;
    EXPECT_FALSE(tree.Find("spi0")->warning);  // 0 too, but not in use

    // Q7R26 has no L-F oscillator; the small packages no UART1.
    const chip::ClockTree q7r26 = TreeOf(*NewProject(6));
    EXPECT_FALSE(q7r26.Find("lfosc")->hz);
    EXPECT_FALSE(q7r26.Find("uart1")->hz);
    EXPECT_EQ(q7r26.Nodes().size(), TreeOf(*NewProject(0)).Nodes().size());
}

// A problem check names a register field; the nodes that show it turn red.
TEST(ClockTree, AFlaggedFieldMarksTheNodesThatShowIt) {
    const struct {
        PeripheralId record;
        int position;
        std::uint8_t mask;
        std::set<std::string> flagged;
    } rows[] = {
        {Pid::Timers, TimersReg::TH1, 0xFF, {"timer1", "uart0"}},
        {Pid::Uart, UartReg::SBRLH1, 0xFF, {"uart1"}},
        {Pid::Oscillator, OscillatorReg::CLKSEL, 0x07, {"sysclk"}},
        {Pid::Oscillator, OscillatorReg::OSCXCN, 0x07, {"extosc"}},
        {Pid::Timers, TimersReg::TMR3RLH, 0xFF, {"timer3"}},
        {Pid::Pca, PcaReg::PCA0CPH2, 0xFF, {"pca.cex2"}},
        {Pid::PortIO, PortIOReg::XBR1, 0x07, {}},
        {Pid::Adc, AdcReg::AMX0P, 0x1F, {}},
    };
    for (const auto& row : rows) {
        chip::ClockTree tree = TreeOf(*NewProject(0));
        tree.FlagField(row.record, row.position, row.mask);
        std::set<std::string> flagged;
        for (const chip::ClockNode& n : tree.Nodes())
            if (n.warning) flagged.insert(n.name);
        EXPECT_EQ(flagged, row.flagged) << row.record << ":" << row.position;
    }

    // The tree flags what the project's own problem checks name: Timer 1
    // stopped under a routed UART0 marks timer 1, and nothing unrelated.
    auto doc = ClockProjectNamed("crystal").Build();
    EXPECT_FALSE(TreeOf(*doc).Find("timer1")->warning);
    PeripheralRecord timers;
    doc->GetPeripheral(timers, Pid::Timers);
    timers.Registers[TimersReg::TCON].Value &= ~0x40;
    doc->SetPeripheral(timers, Pid::Timers);
    const chip::ClockTree stopped = TreeOf(*doc);
    EXPECT_TRUE(stopped.Find("timer1")->warning);
    EXPECT_FALSE(stopped.Find("smbus")->warning);
}

// The crystal project: a 22118400 Hz crystal as SYSCLK; Timer 1 on SYSCLK,
// TH1 = 0xA0: 22118400 / 96 = 230400, halved for UART0; Timer 0 on SYSCLK,
// TH0 = 0xB6: 22118400 / 74 = 298897.3; / 3 for the SMBus.
TEST(ClockTree, TextIndentsEachClockUnderItsSource) {
    const std::string text = TreeOf(*ClockProjectNamed("crystal").Build()).Text();
    EXPECT_EQ(text.substr(0, text.find("\n    timer2")),
              "intosc: 1500000 Hz\n"
              "  multiplier: 24000000 Hz (not in use)\n"
              "    usb: 48000000 Hz (not in use)\n"
              "lfosc: 10000 Hz (not in use)\n"
              "extosc: 22118400 Hz\n"
              "  sysclk: 22118400 Hz\n"
              "    timer0: 298897 Hz\n"
              "      smbus: 99632 Hz, minimum SCL low time 0.0033 ms\n"
              "    timer1: 230400 Hz\n"
              "      uart0: 115200 bps, +0.00 % from 115200 bps");
    EXPECT_NE(text.find("\n      pca.cex0: 50.0000 %\n"), std::string::npos);
    EXPECT_NE(text.find("\n      watchdog: 0.0 ms (not in use)\n"), std::string::npos);
}

TEST(ClockLayout, BoxesDoNotOverlapAndEdgesJoinParentToChild) {
    for (const ClockProject& project : ClockProjects()) {
        SCOPED_TRACE(project.name);
        const chip::ClockTree tree = TreeOf(*project.Build());
        const chip::ClockLayout layout = chip::LayoutClockTree(tree);
        ASSERT_EQ(layout.boxes.size(), tree.Nodes().size());
        for (std::size_t i = 0; i < layout.boxes.size(); ++i) {
            const chip::LayoutBox& a = layout.boxes[i];
            EXPECT_LE(a.x + a.w, layout.width);
            EXPECT_LE(a.y + a.h, layout.height);
            EXPECT_EQ(layout.BoxAt(a.x + 1, a.y + 1), &a);
            for (std::size_t j = i + 1; j < layout.boxes.size(); ++j) {
                const chip::LayoutBox& b = layout.boxes[j];
                EXPECT_TRUE(a.x + a.w <= b.x || b.x + b.w <= a.x || a.y + a.h <= b.y ||
                            b.y + b.h <= a.y)
                    << a.node << " " << b.node;
            }
        }
        EXPECT_EQ(layout.BoxAt(0, 0), nullptr);
        std::size_t withParent = 0;
        for (const chip::ClockNode& n : tree.Nodes())
            withParent += n.parent.empty() ? 0 : 1;
        ASSERT_EQ(layout.edges.size(), withParent);
        for (const chip::LayoutEdge& e : layout.edges) {
            const chip::LayoutBox* from = layout.Box(e.from);
            const chip::LayoutBox* to = layout.Box(e.to);
            EXPECT_EQ(e.points.front().x, from->x + from->w) << e.to;
            EXPECT_EQ(e.points.back().x, to->x) << e.to;
            EXPECT_EQ(e.points.back().y, to->y + to->h / 2) << e.to;
            // Only horizontal and vertical runs, and none crosses another box.
            for (std::size_t i = 1; i < e.points.size(); ++i) {
                const auto p = e.points[i - 1], q = e.points[i];
                EXPECT_TRUE(p.x == q.x || p.y == q.y) << e.to;
                for (const chip::LayoutBox& b : layout.boxes) {
                    if (&b == from || &b == to) continue;
                    const bool apart = std::max(p.x, q.x) <= b.x ||
                                       std::min(p.x, q.x) >= b.x + b.w ||
                                       std::max(p.y, q.y) <= b.y || std::min(p.y, q.y) >= b.y + b.h;
                    EXPECT_TRUE(apart) << e.from << " -> " << e.to << " crosses " << b.node;
                }
            }
        }
    }
}

TEST(ClockLayout, SvgHasAGroupPerNodeWithItsFigureAndColours) {
    auto doc = ClockProjectNamed("crystal").Build();
    doc->ExtOscFrequency = 0;  // the crystal's box turns to the warning colour
    const chip::ClockTree tree = TreeOf(*doc);
    const std::string svg = chip::ClockTreeSvg(chip::LayoutClockTree(tree));
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
    EXPECT_NE(svg.find("<g class=\"box warning\" id=\"extosc\">"), std::string::npos);
    EXPECT_NE(svg.find("<g class=\"box unused\" id=\"spi0\">"), std::string::npos);
    EXPECT_NE(svg.find(">115200 bps</text>"), std::string::npos);
    EXPECT_NE(svg.find(">overflow / 2</text>"), std::string::npos);
    for (const chip::ClockNode& n : tree.Nodes())
        EXPECT_NE(svg.find("id=\"" + n.name + "\""), std::string::npos) << n.name;
}

}  // namespace
