// zorvant generate PROJECT [--format c|asm] [-o OUT]

#include "host/cli/Command.h"
#include "host/cli/Io.h"
#include "model/FileIo.h"

namespace cli {
namespace {

int Generate(const Args& a) {
    if (a.Count() != 1) return a.Usage("expected one PROJECT");
    std::optional<int> format;
    if (!FormatOption(a, format)) return a.Usage("--format takes c or asm");
    const std::string out = a.Value(kOutput);
    if (!out.empty() && out != "-" && fileio::SameFile(a[0], out))
        return a.Usage("the output " + out +
                       " is the project itself; it would be overwritten with source text");
    auto doc = OpenProject(a[0]);
    if (!doc) return kFailure;
    if (format) doc->DeviceData.CodeFormat = *format;
    return WriteOutput(out, doc->GenerateSource()) ? kOk : kFailure;
}

}  // namespace

extern const Command kGenerate{
    "generate", "zorvant generate PROJECT [--format c|asm] [-o OUT]",
    "write the generated source (default: stdout)",
    "Writes the initialisation source PROJECT generates, byte for byte as Save Source As\n"
    "writes it, to standard output or to OUT. --format chooses C or assembly instead of the\n"
    "project's own format. PROJECT '-' reads standard input; OUT may not be PROJECT itself.\n",
    {kOutput, kFormat}, Generate};

}  // namespace cli
