// zorvant pins PROJECT [--csv|--json]

#include <algorithm>

#include "chip/PinList.h"
#include "chip/PinSolver.h"
#include "chip/Project.h"
#include "host/cli/Command.h"
#include "host/cli/Io.h"
#include "host/cli/Json.h"

namespace cli {
namespace {

constexpr Option kCsv = {"csv", nullptr, nullptr};

std::string Column(std::string text, std::size_t width) {
    text.resize(std::max(width, text.size()), ' ');
    return text;
}

int Pins(const Args& a) {
    if (a.Count() != 1) return a.Usage("expected one PROJECT");
    if (a.Has(kCsv) && a.Has(kJson)) return a.Usage("--csv and --json exclude each other");
    auto doc = OpenProject(a[0]);
    if (!doc) return kFailure;
    const chip::Project project(*doc);
    const auto rows = portio::PinListOf(project);
    // Routed signals the crossbar finds no pin for.
    std::vector<std::string> unplaced;
    for (const auto& l : portio::LandingsOf(project.Crossbar(), project.Record(Pid::PortIO)))
        if (l.Pin < 0) unplaced.push_back(portio::SignalName(l.Signal));

    if (a.Has(kCsv)) return WriteOutput("-", portio::PinListCsv(rows)) ? kOk : kFailure;
    if (a.Has(kJson)) {
        Json pins = Json::array();
        for (const auto& r : rows)
            pins.push_back({{"pin", r.Pin},
                            {"signal", r.Signal},
                            {"skipped", r.Skipped},
                            {"input", portio::InputText(r)},
                            {"output", portio::OutputText(r)}});
        return WriteJson({{"pins", pins}, {"unplaced", unplaced}}) ? kOk : kFailure;
    }
    std::string text = "pin   signal  skipped  input    output\n";
    for (const auto& r : rows)
        text += Column(r.Pin, 6) + Column(r.Signal, 8) + Column(r.Skipped ? "yes" : "no", 9) +
                Column(portio::InputText(r), 9) + portio::OutputText(r) + "\n";
    for (const auto& name : unplaced)
        text += name + " is routed but finds no pin\n";
    return WriteOutput("-", text) ? kOk : kFailure;
}

}  // namespace

extern const Command kPins{
    "pins",
    "zorvant pins PROJECT [--csv|--json]",
    "list the pins: signal, skip and mode of each",
    "Prints one row per crossbar pin of the model (P0.0 ... P3.7, or P3.0 on the small\n"
    "packages): the signal the crossbar puts on it (empty when none), whether it is\n"
    "skipped, its input mode (digital or analog) and its output mode (push-pull or\n"
    "open-drain), computed from the registers; on the large-package models the Port 4\n"
    "pins follow. Routed signals that find no pin are named after the table.\n"
    "\n"
    "--csv prints pin,signal,skipped,input,output with a header line\n"
    "(P0.4,TX0,no,digital,push-pull). --json prints {\"pins\": [{\"pin\": \"P0.4\", \"signal\":\n"
    "\"TX0\", \"skipped\": false, \"input\": \"digital\", \"output\": \"push-pull\"}, ...],\n"
    "\"unplaced\": [\"CEX4\", ...]}.\n",
    {kCsv, kJson},
    Pins};

}  // namespace cli
