#pragma once
// `zorvant run SCRIPT`: the script runner on the real main window, module
// and pages, with the scripted UI service and no display.

#include <iosfwd>
#include <memory>
#include <string>

class CCommandRegistry;
class CMainWindow;
class ScriptHost;
class ScriptSource;

namespace host {

// The runner's view of the main window: the operations its menus perform,
// without the file dialogs; `menu` reaches only the commands meant for scripts.
std::unique_ptr<ScriptHost> MainWindowScriptHost(CMainWindow& window, CCommandRegistry& commands);

// Runs the subcommand (argv[1] is "run"); returns the exit status:
// 0 success, 1 a failed script or one that cannot be read (a directory,
// binary data, more than 16 MiB), 2 a usage error. "run --help" prints the
// script language.
int RunScriptCommand(int argc, char** argv);

// For programs that run scripts of their own (the explorer): call before the
// QApplication exists; it chooses the off-screen platform and keeps the
// platform's noise out of the error output.
void PrepareHeadless();
// Runs the lines of `source` on a new main window with the device module,
// through a scripted UI service, as `zorvant run` does; needs the
// QApplication. Returns the exit status (1 for a failed script or a module
// that cannot be loaded).
int RunScriptSession(const std::string& name, ScriptSource& source, std::ostream& out,
                     std::ostream& err);

}  // namespace host
