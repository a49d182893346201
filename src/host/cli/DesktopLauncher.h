#pragma once
// The desktop program and `run` live in a library of their own
// (libzorvant-desktop.so), the one part of the program that needs Qt. The
// command loads it only for those two, so the headless subcommands start
// without Qt, and work where only the command is installed.

#include <string>
#include <vector>

namespace cli {

// The library's file name and the function it exports:
// int ZorvantDesktopMain(int argc, char** argv), argv as main() gets it.
inline constexpr const char* kDesktopLibrary = "libzorvant-desktop.so";
inline constexpr const char* kDesktopEntry = "ZorvantDesktopMain";

// Loads the library (beside the executable, or in ../lib/zorvant) and runs
// the program with argv; returns its exit status, or 1 after one error line
// when the library is not installed or cannot be loaded.
int StartDesktop(int argc, char** argv);
// The same with these words after the program's name ({"run", SCRIPT}).
int StartDesktop(const std::vector<std::string>& words);

// The program's argv[0], passed on to the library.
void SetProgramName(const char* argv0);

}  // namespace cli
