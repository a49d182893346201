// zorvant place PROJECT SIGNAL=PIN... -o OUT [--json]

#include <cctype>
#include <cstdio>

#include "chip/PinSolver.h"
#include "chip/Project.h"
#include "host/cli/Command.h"
#include "host/cli/Io.h"
#include "host/cli/Json.h"
#include "host/cli/Parse.h"

namespace cli {
namespace {

// The signal a slip of the keyboard most likely meant, or "".
std::string NearestSignal(const std::string& word) {
    std::vector<std::string> names;
    for (const auto& e : portio::BuildSignalList(true, false)) {
        std::string name = e.GridName;
        for (char& ch : name)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        names.push_back(name);
    }
    std::string near = Nearest(word, names);
    for (char& ch : near)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return near;
}

// "SDA=P1.2" into a wish; a usage error names the word.
bool ParseWish(const Args& a, const std::string& word, portio::PinWish& wish, int& status) {
    const auto eq = word.find('=');
    if (eq == std::string::npos) {
        status = a.Usage("expected SIGNAL=PIN, not " + word);
        return false;
    }
    const std::string signal = word.substr(0, eq), pin = word.substr(eq + 1);
    const auto row = portio::SignalByName(signal);
    if (!row) {
        const std::string near = NearestSignal(signal);
        status =
            a.Usage("unknown signal " + signal +
                    (near.empty() ? " (TX0, RX0, SCK, ... RX1)" : " (did you mean " + near + "?)"));
        return false;
    }
    const auto p = portio::PinByName(pin);
    if (!p) {
        status = a.Usage("unknown pin " + pin + " (P0.0 ... P3.7)");
        return false;
    }
    wish = {*row, *p};
    return true;
}

std::string PinText(int pin) {
    return pin < 0 ? std::string("none") : portio::PinName(pin);
}

int Place(const Args& a) {
    if (a.Count() < 2) return a.Usage("expected PROJECT and at least one SIGNAL=PIN");
    const std::string out = a.Value(kOutput);
    if (out.empty()) return a.Usage("-o OUT is required");
    std::vector<portio::PinWish> wishes;
    for (std::size_t i = 1; i < a.Count(); ++i) {
        int status = kOk;
        if (!ParseWish(a, a[i], wishes.emplace_back(), status)) return status;
    }
    auto doc = OpenProject(a[0]);
    if (!doc) return kFailure;
    const portio::PinPlan plan = portio::SolvePins(chip::Project(*doc), wishes);
    const bool json = a.Has(kJson);

    if (!plan.Solved()) {
        const portio::PinRefusal& r = *plan.Refusal;
        Err(Shown(a[0]) + ": cannot place " + r.Text());
        if (json)
            WriteJson(
                {{"solved", false}, {"signal", r.Signal}, {"pin", r.Pin}, {"reason", r.Reason}});
        return kFailure;
    }
    doc->SetPeripheral(plan.PortIo, Pid::PortIO);
    if (!WriteOutput(out, doc->SaveProject())) return kFailure;

    // The report; with the project on standard output it goes to stderr.
    if (json) {
        Json added = Json::array(), signals = Json::array();
        for (int p : plan.AddedSkips)
            added.push_back(portio::PinName(p));
        for (const auto& l : plan.Landings)
            signals.push_back({{"signal", portio::SignalName(l.Signal)},
                               {"pin", l.Pin < 0 ? Json() : Json(portio::PinName(l.Pin))},
                               {"wanted", l.Wanted}});
        const Json report = {{"solved", true}, {"added", added}, {"signals", signals}};
        if (out == "-") {
            std::fprintf(stderr, "%s\n", report.dump(2).c_str());
            return kOk;
        }
        return WriteJson(report) ? kOk : kFailure;
    }
    std::string text = "added skips:";
    for (int p : plan.AddedSkips)
        text += " " + portio::PinName(p);
    if (plan.AddedSkips.empty()) text += " none";
    text += "\n";
    for (const auto& l : plan.Landings) {
        std::string name = portio::SignalName(l.Signal);
        name.resize(8, ' ');
        text += name + PinText(l.Pin) + (l.Wanted ? "  (wanted)\n" : "\n");
    }
    if (out == "-") {
        std::fputs(text.c_str(), stderr);
        return kOk;
    }
    return WriteOutput("-", text) ? kOk : kFailure;
}

}  // namespace

extern const Command kPlace{
    "place",
    "zorvant place PROJECT SIGNAL=PIN... -o OUT [--json]",
    "put signals on the pins the board needs (adds crossbar skips)",
    "Routes each named signal's peripheral on the crossbar, enables the crossbar and adds\n"
    "the fewest pin skips (among equally few, the lowest pins) with which every named\n"
    "signal lands on its pin and every routed signal still has a pin. Skips are only\n"
    "added, never removed; signals that were not named may move. SIGNAL is a row of the\n"
    "Port I/O pin table (TX0 RX0 SCK MISO MOSI NSS SDA SCL CP0 CP0A CP1 CP1A SYSCLK\n"
    "CEX0 ... CEX4 ECI T0 T1 TX1 RX1), PIN a crossbar pin (P0.0 ... P3.7). Writes the\n"
    "solved project to OUT and prints the skips it added and where every routed signal\n"
    "lands. When the wishes cannot all be met, it names the one that fails and why,\n"
    "writes nothing and exits with 1; an unknown signal or pin is a usage error (2).\n"
    "\n"
    "--json prints {\"solved\": true, \"added\": [\"P0.0\", ...], \"signals\": [{\"signal\": "
    "\"SDA\",\n"
    "\"pin\": \"P1.2\", \"wanted\": true}, ...]}, or {\"solved\": false, \"signal\", \"pin\",\n"
    "\"reason\"} when it cannot.\n",
    {kOutput, kJson},
    Place};

}  // namespace cli
