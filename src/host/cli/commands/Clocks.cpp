// zorvant clocks PROJECT [--json] [--svg OUT]

#include "chip/ClockLayout.h"
#include "chip/ClockTree.h"
#include "chip/Project.h"
#include "host/cli/Command.h"
#include "host/cli/Io.h"
#include "host/cli/Json.h"

namespace cli {
namespace {

constexpr Option kSvg = {"svg", nullptr, "OUT"};

Json Number(const std::optional<double>& v, bool whole) {
    if (!v) return nullptr;
    if (whole) return static_cast<std::uint64_t>(*v);
    return *v;
}

Json ClocksJson(const chip::ClockTree& tree) {
    Json nodes = Json::array();
    for (const chip::ClockNode& n : tree.Nodes()) {
        Json node = {{"name", n.name},
                     {"parent", n.parent.empty() ? Json(nullptr) : Json(n.parent)},
                     {"hz", Number(n.hz, n.whole)},
                     {"in_use", n.inUse}};
        if (n.name == "uart0" || n.name == "uart1")
            node["error_percent"] = Number(n.errorPercent, false);
        if (n.dutyPercent) node["duty_percent"] = *n.dutyPercent;
        if (n.name == "watchdog") node["timeout_ms"] = Number(n.timeoutMs, false);
        if (n.name == "smbus") node["scl_low_ms"] = Number(n.sclLowMs, false);
        nodes.push_back(std::move(node));
    }
    return nodes;
}

int Clocks(const Args& a) {
    if (a.Count() != 1) return a.Usage("expected one PROJECT");
    const std::string svg = a.Value(kSvg);
    if (a.Has(kSvg) && svg.empty()) return a.Usage("--svg needs a file name");
    if (svg == "-" && a.Has(kJson))
        return a.Usage("--svg - and --json both write to standard output");
    auto doc = OpenProject(a[0]);
    if (!doc) return kFailure;
    const chip::ClockTree tree{chip::Project(*doc)};
    if (a.Has(kSvg) && !WriteOutput(svg, chip::ClockTreeSvg(chip::LayoutClockTree(tree))))
        return kFailure;
    if (a.Has(kJson)) return WriteJson(ClocksJson(tree)) ? kOk : kFailure;
    if (a.Has(kSvg)) return kOk;
    return WriteOutput("-", tree.Text()) ? kOk : kFailure;
}

}  // namespace

extern const Command kClocks{
    "clocks",
    "zorvant clocks PROJECT [--json] [--svg OUT]",
    "show the clock tree: every oscillator, SYSCLK and the rates they give",
    "Prints the project's clock tree: the oscillators, SYSCLK and every rate derived from\n"
    "them, each line \"name: value unit\" indented under the clock it comes from, numbers\n"
    "as the owning page shows them; \"(not in use)\" marks a branch nothing uses. PROJECT\n"
    "'-' reads standard input.\n"
    "\n"
    "Nodes, and the page whose figure each is: intosc, lfosc (the internal oscillators after\n"
    "their dividers), extosc (External Oscillator page, as typed), multiplier (Clock\n"
    "Multiplier page, \"Clock Multiplier / 2 Speed\"), usb (\"USB Clock Speed\"), sysclk (the\n"
    "project's SYSCLK, as every page reads it), timer0 (its overflow rate, the PCA's \"Timer 0\n"
    "Overflow\" clock), timer1 (clock / (256 - TH1), as the UART0 page divides it), timer2 and\n"
    "timer3 (overflow rates where the SMBus page computes them: Timer 2 clocking the SMBus,\n"
    "Timer 3 timing its SCL timeout), uart0 and uart1 (baud rate, bps), spi0 (SCK), smbus\n"
    "(bit rate), pca (counter clock), pca.cex0 to pca.cex4 (\"CEXn Frequency\" in Frequency\n"
    "Output, duty cycle in PWM), watchdog (timeout), adc0 (SAR clock).\n"
    "\n"
    "--json prints one array of nodes in that order, each {\"name\", \"parent\" (null for a\n"
    "source), \"hz\" (number, null where the page has none; bps for the UARTs), \"in_use\"};\n"
    "uart0 and uart1 add \"error_percent\" against the nearest standard rate, smbus\n"
    "\"scl_low_ms\", watchdog \"timeout_ms\", a module in PWM \"duty_percent\".\n"
    "--svg OUT writes the clock-tree drawing the desktop shows as SVG ('-': standard output)\n"
    "and prints nothing else unless --json is given.\n",
    {kJson, kSvg},
    Clocks};

}  // namespace cli
