#include <string>

#include "host/Cli.h"
#include "host/Desktop.h"
#include "host/ScriptMain.h"

int main(int argc, char** argv) {
    // The headless subcommands run before any QApplication exists, so they
    // need no display.
    if (argc >= 2 && cli::IsSubcommand(argv[1])) return cli::Run(argc, argv);
    // Scripts drive the real window on the off-screen platform.
    if (argc >= 2 && std::string(argv[1]) == "run") return host::RunScriptCommand(argc, argv);
    return host::RunDesktop(argc, argv);
}
