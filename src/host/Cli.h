#pragma once
// The command line of the zorvant executable: the headless subcommands (new,
// generate, convert, info, check, diff), help and version, and the check of
// the desktop program's arguments. None of these needs a display.

namespace cli {

// True when argv[1] is handled by Run: a headless subcommand, "help",
// "--help"/"-h" or "--version"/"-V".
bool IsSubcommand(const char* word);

// Runs what argv[1] names. Exit status: 0 success; 1 an unreadable, corrupt
// or refused file or an output that cannot be written (for check and diff:
// the files differ); 2 a usage error (for check and diff also a file that
// cannot be read).
int Run(int argc, char** argv);

// Checks the words the desktop program would get: Qt's own options and
// existing files. Returns -1 when they are fine; otherwise reports the first
// bad word on stderr (an unknown option, or a word that is neither a
// subcommand nor an existing file, with "did you mean ...?" for a near
// subcommand) and returns the exit status, 2.
int CheckDesktopArguments(int argc, char** argv);

}  // namespace cli
