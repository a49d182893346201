// zorvant convert PROJECT -o OUT

#include "host/cli/Command.h"
#include "host/cli/Io.h"

namespace cli {
namespace {

int Convert(const Args& a) {
    if (a.Count() != 1) return a.Usage("expected one PROJECT");
    if (!a.Has(kOutput)) return a.Usage("-o OUT is required");
    auto doc = OpenProject(a[0]);
    if (!doc) return kFailure;
    return WriteOutput(a.Value(kOutput), doc->SaveProject()) ? kOk : kFailure;
}

}  // namespace

extern const Command kConvert{
    "convert", "zorvant convert PROJECT -o OUT", "rewrite any older project as version 1.60",
    "Reads a project of any version from 1.00 on and writes it as version 1.60. OUT may be\n"
    "PROJECT itself: the old file stays until the new one is completely written.\n",
    {kOutput}, Convert};

}  // namespace cli
