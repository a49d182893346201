#pragma once
// The zorvant command: the headless subcommands (Subcommands.def), help and
// version without Qt; the desktop program and `run` through the desktop
// library (DesktopLauncher.h).

namespace cli {

// main() of the zorvant executable. Exit status: 0 success; 1 an unreadable,
// corrupt or refused file or an output that cannot be written (for check and
// diff: the files differ); 2 a usage error (for check and diff also a file
// that cannot be read).
int Main(int argc, char** argv);

}  // namespace cli
