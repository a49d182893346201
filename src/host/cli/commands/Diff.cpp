// zorvant diff A.zvp B.zvp

#include "devices/ProjectDiff.h"
#include "host/cli/Command.h"
#include "host/cli/Io.h"

namespace cli {
namespace {

int Diff(const Args& a) {
    if (a.Count() != 2) return a.Usage("expected two projects");
    if (a[0] == "-" && a[1] == "-") return a.Usage("only one project can be '-'");
    auto docA = OpenProject(a[0]);
    if (!docA) return kTrouble;
    auto docB = OpenProject(a[1]);
    if (!docB) return kTrouble;
    const std::string text = projectdiff::Describe(*docA, *docB, Shown(a[0]), Shown(a[1]));
    if (!WriteOutput("-", text)) return kTrouble;
    return text.empty() ? kOk : kDifferent;
}

}  // namespace

extern const Command kDiff{
    "diff", "zorvant diff A.zvp B.zvp", "the differences between two projects",
    "Lists what differs between two projects as a reviewer reads it: model, clock words,\n"
    "header name and code format, then per routine each register whose value or written\n"
    "state differs (\"    TMOD  0x20 -> 0x21\") and each changed code text. The file version\n"
    "is not compared. Exit status 0 when they are equal, 1 when they differ, 2 on trouble.\n"
    "Either project may be '-' for standard input.\n",
    {}, Diff};

}  // namespace cli
