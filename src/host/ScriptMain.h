#pragma once
// `zorvant run SCRIPT`: the script runner on the real main window, module
// and pages, with the scripted UI service and no display.

namespace host {

// Runs the subcommand (argv[1] is "run"); returns the exit status:
// 0 success, 1 a failed script, 2 a usage error.
int RunScriptCommand(int argc, char** argv);

}  // namespace host
