// zorvant diff A.zvp B.zvp

#include "devices/ProjectDiff.h"
#include "host/cli/Command.h"
#include "host/cli/Io.h"
#include "host/cli/Json.h"

namespace cli {
namespace {

Json Value(const projectdiff::Change::Value& v) {
    if (const auto* b = std::get_if<bool>(&v)) return *b;
    if (const auto* n = std::get_if<std::int64_t>(&v)) return *n;
    return Utf8(std::get<std::string>(v));
}

int DiffJson(const CDeviceDocument& a, const CDeviceDocument& b) {
    Json list = Json::array();
    const auto changes = projectdiff::Changes(a, b);
    for (const auto& c : changes)
        list.push_back({{"record", c.Record < 0 ? Json() : Json(c.Record)},
                        {"register", c.Register.empty() ? Json() : Json(Utf8(c.Register))},
                        {"field", c.Field},
                        {"a", Value(c.A)},
                        {"b", Value(c.B)}});
    if (!WriteJson(list)) return kTrouble;
    return changes.empty() ? kOk : kDifferent;
}

int Diff(const Args& a) {
    if (a.Count() != 2) return a.Usage("expected two projects");
    if (a[0] == "-" && a[1] == "-") return a.Usage("only one project can be '-'");
    auto docA = OpenProject(a[0]);
    if (!docA) return kTrouble;
    auto docB = OpenProject(a[1]);
    if (!docB) return kTrouble;
    if (a.Has(kJson)) return DiffJson(*docA, *docB);
    const std::string text = projectdiff::Describe(*docA, *docB, Shown(a[0]), Shown(a[1]));
    if (!WriteOutput("-", text)) return kTrouble;
    return text.empty() ? kOk : kDifferent;
}

}  // namespace

extern const Command kDiff{
    "diff", "zorvant diff A.zvp B.zvp [--json]", "the differences between two projects",
    "Lists what differs between two projects as a reviewer reads it: model, clock words,\n"
    "header name and code format, then per routine each register whose value or written\n"
    "state differs (\"    TMOD  0x20 -> 0x21\") and each changed code text. The file version\n"
    "is not compared. Exit status 0 when they are equal, 1 when they differ, 2 on trouble.\n"
    "Either project may be '-' for standard input.\n"
    "\n"
    "--json prints a list of {\"record\", \"register\", \"field\", \"a\", \"b\"} objects, one per\n"
    "field that differs, in the order above: \"record\" is the record's number (null for a\n"
    "word of the project), \"register\" the register's name (null for a field of the record\n"
    "or project), \"a\" and \"b\" the two values. Fields: \"model\", the clock words,\n"
    "\"IncludeName\", \"CodeFormat\" (\"c\"/\"asm\"); per record \"record\" (present: true/false),\n"
    "\"CHead\", \"AsmLabel\", \"CPrologue\", \"AsmPrologue\", \"CFoot\", \"AsmFoot\"; per\n"
    "register \"register\" (present), \"Name\", \"Value\", \"ResetValue\" (numbers), \"Written\"\n"
    "(whether the line is generated), \"ForceWrite\", \"OrWrite\" (true/false), \"CPre\",\n"
    "\"AsmPre\", \"CPost\", \"AsmPost\" (code texts).\n",
    {kJson}, Diff};

}  // namespace cli
