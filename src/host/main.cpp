#include <string>

#include "host/Cli.h"
#include "host/Desktop.h"
#include "host/ScriptMain.h"

int main(int argc, char** argv) {
    // The headless subcommands, help and version run before any
    // QApplication exists, so they need no display.
    if (argc >= 2 && cli::IsSubcommand(argv[1])) return cli::Run(argc, argv);
    // Scripts drive the real window on the off-screen platform.
    if (argc >= 2 && std::string(argv[1]) == "run") return host::RunScriptCommand(argc, argv);
    // Anything else is for the desktop program: Qt's options and project
    // files. A mistyped subcommand stops here instead of opening a window.
    if (const int status = cli::CheckDesktopArguments(argc, argv); status >= 0) return status;
    return host::RunDesktop(argc, argv);
}
