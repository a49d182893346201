// The entry point of libzorvant-desktop.so, which the zorvant command loads
// for the desktop program and for `zorvant run`: argv as main() got it.

#include <cstring>

#include "host/Desktop.h"
#include "host/ScriptMain.h"

extern "C" __attribute__((visibility("default"))) int ZorvantDesktopMain(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "run") == 0) return host::RunScriptCommand(argc, argv);
    return host::RunDesktop(argc, argv);
}
