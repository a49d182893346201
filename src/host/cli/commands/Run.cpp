// zorvant run SCRIPT: the real windows, off-screen. It lives with the
// desktop program, which is loaded only now.

#include "host/cli/Command.h"
#include "host/cli/DesktopLauncher.h"

namespace cli {
namespace {

int Run(const Args& a) {
    if (a.HelpAsked()) return StartDesktop({"run", "--help"});
    if (a.Count() != 1 || a[0].empty())
        return a.Usage(a.Count() == 0 ? "expected a SCRIPT ('-' reads standard input)"
                                      : "expected one SCRIPT");
    return StartDesktop({"run", a[0]});
}

}  // namespace

// No help text of its own: `zorvant run --help` prints the script language.
extern const Command kRun{"run", "zorvant run SCRIPT", "drive the program from a script",
                          nullptr, {}, Run};

}  // namespace cli
