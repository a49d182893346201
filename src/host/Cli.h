#pragma once
// Headless subcommands of the zorvant executable: new, generate, convert, info.

namespace cli {

// True when argv[1] names a headless subcommand.
bool IsSubcommand(const char* word);

// Runs the subcommand in argv[1]. Exit status: 0 success, 1 unreadable,
// corrupt or refused file (or an output that cannot be written), 2 usage.
int Run(int argc, char** argv);

}  // namespace cli
