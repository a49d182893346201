// zorvant lint PROJECT [--json]
// zorvant lint --fix PROJECT -o OUT [--json]

#include "chip/Problems.h"
#include "host/cli/Command.h"
#include "host/cli/Io.h"
#include "host/cli/Json.h"

namespace cli {
namespace {

constexpr Option kFix = {"fix", nullptr, nullptr};

// "board.zvp: warning: Oscillators > External Oscillator: MESSAGE [xtal-pin]".
std::string Line(const std::string& file, const char* what, const chip::Problem& p) {
    const std::string where = p.Page.empty() ? p.Command : p.Command + " > " + p.Page;
    return file + ": " + what + ": " + where + ": " + p.Message + " [" + p.Id + "]\n";
}

Json ProblemsJson(const std::vector<chip::Problem>& problems) {
    Json list = Json::array();
    for (const chip::Problem& p : problems)
        list.push_back({{"id", p.Id},
                        {"severity", chip::SeverityName(p.Level)},
                        {"command", Utf8(p.Command)},
                        {"page", Utf8(p.Page)},
                        {"message", Utf8(p.Message)}});
    return list;
}

int Lint(const Args& a) {
    if (a.Count() != 1) return a.Usage("expected one PROJECT");
    const bool fix = a.Has(kFix);
    if (fix && !a.Has(kOutput)) return a.Usage("--fix needs -o OUT");
    if (!fix && a.Has(kOutput)) return a.Usage("-o OUT goes with --fix");
    auto doc = OpenProject(a[0]);
    if (!doc) return kTrouble;
    std::string out;
    std::string file = Shown(a[0]);
    if (fix) {
        const std::vector<chip::Problem> fixed = chip::FixAll(*doc);
        if (!WriteOutput(a.Value(kOutput), doc->SaveProject())) return kTrouble;
        file = Shown(a.Value(kOutput));
        for (const chip::Problem& p : fixed)
            out += Line(file, "fixed", p);
    }
    const std::vector<chip::Problem> problems = chip::FindProblems(*doc);
    const int status = problems.empty() ? kOk : kFailure;
    if (a.Has(kJson)) return WriteJson(ProblemsJson(problems)) ? status : kTrouble;
    for (const chip::Problem& p : problems)
        out += Line(file, chip::SeverityName(p.Level), p);
    return WriteOutput("-", out) ? status : kTrouble;
}

}  // namespace

extern const Command kLint{
    "lint", "zorvant lint PROJECT [--json] [--fix -o OUT]",
    "list what is inconsistent in a project",
    "Checks the whole project as its sheets would: pins that an oscillator, the ADC, a\n"
    "comparator or VREF needs but that are not set up for it, the crossbar, the system\n"
    "clock, UART baud rates, PCA outputs, the frequency-control bits, the assembly output\n"
    "and the SMBus timeout. One line per problem, in Peripherals menu order, then by id:\n"
    "\n"
    "  FILE: warning: COMMAND > PAGE: MESSAGE [id]      (or error:)\n"
    "\n"
    "Exit status 0 when there is none, 1 when there is at least one, 2 when the project\n"
    "cannot be read or the command is wrong. PROJECT '-' reads standard input.\n"
    "\n"
    "--fix applies every quick fix (a pin made analog or digital and skipped where every\n"
    "routed signal still gets a pin, \"Enable Crossbar\", the fitting frequency-control bits,\n"
    "Timer 1 started in 8-bit auto-reload for UART0), writes the result to OUT (which may\n"
    "be PROJECT), lists each as \"OUT: fixed: ...\" and then what is left, as above.\n"
    "\n"
    "--json prints one array instead, one object per problem with the keys, in this order,\n"
    "\"id\" (\"xtal-pin\"), \"severity\" (\"warning\" or \"error\"), \"command\" (the Peripherals\n"
    "command, \"Oscillators\"), \"page\" (the page of its sheet, \"External Oscillator\") and\n"
    "\"message\".\n",
    {kJson, kFix, kOutput}, Lint};

}  // namespace cli
