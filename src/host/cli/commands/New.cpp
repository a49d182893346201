// zorvant new MODEL -o FILE [--force]

#include <sys/stat.h>

#include "devices/Models.h"
#include "host/cli/Command.h"
#include "host/cli/Io.h"

namespace cli {
namespace {

int New(const Args& a) {
    if (a.Count() != 1) return a.Usage("expected one MODEL");
    const std::string out = a.Value(kOutput);
    if (out.empty()) return a.Usage("-o FILE is required");
    const auto model = models::ModelFromName(a[0]);
    if (!model) return a.Usage("unknown model " + a[0] + " (Q7R20 ... Q7R27)");
    // A project already there is someone's work; a device or a FIFO is
    // only written to.
    struct stat st {};
    if (!a.Has(kForce) && out != "-" && ::stat(out.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        Err(out + " already exists; --force replaces it");
        return kFailure;
    }
    return WriteOutput(out, NewProject(*model)->SaveProject()) ? kOk : kFailure;
}

}  // namespace

extern const Command kNew{
    "new", "zorvant new MODEL -o FILE [--force]", "write a new project (Q7R20 ... Q7R27)",
    "Writes the project that File > New and Save Project write for MODEL (Q7R20 ... Q7R27,\n"
    "in any case). An existing FILE is kept unless --force is given.\n",
    {kOutput, kForce}, New};

}  // namespace cli
