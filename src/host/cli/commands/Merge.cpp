// zorvant merge BASE OURS THEIRS [-o OUT]: a three-way merge for git.

#include <cstdio>

#include "chip/ProjectMerge.h"
#include "host/cli/Command.h"
#include "host/cli/Io.h"
#include "model/FileIo.h"

namespace cli {
namespace {

int Merge(const Args& a) {
    if (a.Count() != 3) return a.Usage("expected BASE, OURS and THEIRS");
    int stdins = 0;
    for (const std::string& p : a.Positional())
        stdins += p == "-";
    if (stdins > 1) return a.Usage("only one of BASE, OURS and THEIRS can be '-'");
    auto base = OpenProject(a[0]);
    if (!base) return kTrouble;
    // OURS as read: a conflict writes it back unchanged, byte for byte.
    std::string oursBytes;
    if (const std::string error = fileio::ReadFileBounded(a[1], fileio::kProjectSizeLimit, oursBytes);
        !error.empty()) {
        Err(error);
        return kTrouble;
    }
    auto ours = OpenProjectBytes(oursBytes, a[1]);
    if (!ours) return kTrouble;
    auto theirs = OpenProject(a[2]);
    if (!theirs) return kTrouble;
    auto result = OpenProjectBytes(oursBytes, a[1]);
    const std::string out = a.Value(kOutput);

    const std::vector<std::string> conflicts = projectmerge::Merge(*base, *ours, *theirs, *result);
    if (conflicts.empty()) return WriteOutput(out, result->SaveProject()) ? kOk : kTrouble;
    for (const std::string& c : conflicts)
        std::fprintf(stderr, "%s\n", c.c_str());
    Err("merge: " + std::to_string(conflicts.size()) +
        (conflicts.size() == 1 ? " conflict; " : " conflicts; ") + Shown(a[1]) + " is kept");
    // git's convention: OURS stays as it was (and is not rewritten when OUT is OURS).
    if (!(a.Has(kOutput) && out != "-" && a[1] != "-" && fileio::SameFile(out, a[1])) &&
        !WriteOutput(out, oursBytes))
        return kTrouble;
    return kDifferent;
}

}  // namespace

extern const Command kMerge{
    "merge", "zorvant merge BASE OURS THEIRS [-o OUT]", "merge two changed copies of a project",
    "A three-way merge of the changes from BASE to OURS and from BASE to THEIRS, for git's\n"
    "merge driver (`driver = zorvant merge %O %A %B -o %A`). The models must match. Clock\n"
    "words and code format merge as values; registers field by field (a bit, a mode field, a\n"
    "divider; a register holding one number is one field); a register's flags and code texts\n"
    "as values. The watchdog group, the oscillator record with its clock words, the comparator\n"
    "enables with their start-up code and the RSTSRC entries of both reset-source records merge\n"
    "as units. The Port I/O pin-map comment is rebuilt for the merged registers; an SPI0 wire\n"
    "mode changed on one side against Port I/O changed on the other is a conflict. Something\n"
    "changed on both sides to different values is a conflict.\n"
    "\n"
    "Writes the merged project to OUT (default: standard output) and exits with 0. On a\n"
    "conflict it writes OURS unchanged, prints each conflict on standard error\n"
    "(\"Timer_Init TMOD: base 0x00 ours 0x21 theirs 0x12\", the field's name for texts and\n"
    "words) and a last line \"zorvant: merge: N conflicts; OURS is kept\", and exits with 1;\n"
    "2 on a usage error or a file that cannot be read.\n",
    {kOutput}, Merge};

}  // namespace cli
