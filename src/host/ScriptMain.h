#pragma once
// `zorvant run SCRIPT`: the script runner on the real main window, module
// and pages, with the scripted UI service and no display.

#include <memory>

class CCommandRegistry;
class CMainWindow;
class ScriptHost;

namespace host {

// The runner's view of the main window: the operations its menus perform,
// without the file dialogs; `menu` reaches only the commands meant for scripts.
std::unique_ptr<ScriptHost> MainWindowScriptHost(CMainWindow& window, CCommandRegistry& commands);

// Runs the subcommand (argv[1] is "run"); returns the exit status:
// 0 success, 1 a failed script or one that cannot be read (a directory,
// binary data, more than 16 MiB), 2 a usage error. "run --help" prints the
// script language.
int RunScriptCommand(int argc, char** argv);

}  // namespace host
