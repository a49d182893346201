#pragma once
// `zorvant run SCRIPT`: the script runner on the real main window, module
// and pages, with the scripted UI service and no display.

namespace host {

// Runs the subcommand (argv[1] is "run"); returns the exit status:
// 0 success, 1 a failed script or one that cannot be read (a directory,
// binary data, more than 16 MiB), 2 a usage error. "run --help" prints the
// script language.
int RunScriptCommand(int argc, char** argv);

}  // namespace host
