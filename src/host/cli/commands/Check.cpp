// zorvant check PROJECT SOURCE [--format c|asm] [--strict]

#include <cstdio>

#include "host/cli/Command.h"
#include "host/cli/Io.h"
#include "model/FileIo.h"
#include "model/TextDiff.h"

namespace cli {
namespace {

constexpr Option kStrict = {"strict", nullptr, nullptr};

int Check(const Args& a) {
    if (a.Count() != 2) return a.Usage("expected PROJECT and SOURCE");
    std::optional<int> format;
    if (!FormatOption(a, format)) return a.Usage("--format takes c or asm");
    const std::string &project = a[0], &source = a[1];
    if (project == "-" && source == "-")
        return a.Usage("only one of PROJECT and SOURCE can be '-'");
    auto doc = OpenProject(project);
    if (!doc) return kTrouble;
    std::string actual;
    const std::string error = fileio::ReadFileBounded(source, fileio::kProjectSizeLimit, actual);
    if (!error.empty()) {
        Err(error);
        return kTrouble;
    }
    if (format) doc->DeviceData.CodeFormat = *format;
    const std::string generated = doc->GenerateSource();
    if (actual == generated) return kOk;
    // A checkout may turn the generated CR LF into LF; that is the same code.
    const auto ends = a.Has(kStrict) ? textdiff::LineEnds::Compare : textdiff::LineEnds::Ignore;
    const std::string diff = textdiff::Unified(actual, generated, Shown(source),
                                               Shown(project) + " (generated)", 3, ends);
    if (diff.empty()) {
        const std::string note = Shown(source) + ": line endings differ from what " +
                                 Shown(project) + " generates; the text is the same\n";
        return WriteOutput("-", note) ? kOk : kTrouble;
    }
    WriteOutput("-", diff);
    Err(Shown(source) + " is not what " + Shown(project) + " generates");
    return kDifferent;
}

}  // namespace

extern const Command kCheck{
    "check", "zorvant check PROJECT SOURCE [--format c|asm] [--strict]",
    "is SOURCE what PROJECT generates?",
    "Compares SOURCE with the source PROJECT generates (in --format, else in the project's\n"
    "format). Line ends do not count (a checkout may turn CR LF into LF): when they are the\n"
    "only difference, check says \"line endings differ\" and succeeds. --strict compares\n"
    "byte for byte. Exit status 0 when they are the same; 1 when SOURCE is stale or was\n"
    "edited by hand, with a unified diff from SOURCE to the generated text on standard\n"
    "output; 2 when a file cannot be read or the command is wrong. Either PROJECT or SOURCE\n"
    "may be '-' for standard input.\n",
    {kFormat, kStrict}, Check};

}  // namespace cli
