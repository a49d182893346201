#pragma once
// What the subcommands share for reading and writing: error lines, projects
// opened as the desktop program opens them, and output to a file or stdout.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "devices/Q7R2xDoc.h"

namespace cli {

class Args;

// "zorvant: TEXT" on standard error.
void Err(const std::string& text);

// A path as messages name it: "standard input" for "-".
std::string Shown(const std::string& path);

// Reads a project ("-": standard input) as the desktop program does: the
// first byte picks the model's document, which then reads the file. A
// failure is reported on stderr and gives nothing.
std::unique_ptr<CQ7R2xDoc> OpenProject(const std::string& path);
// The same for bytes already read from `path`.
std::unique_ptr<CQ7R2xDoc> OpenProjectBytes(const std::string& data, const std::string& path);

// Writes `bytes` to `path` through the safe-write path, or to standard
// output for "" and "-". A failure is reported and gives false.
bool WriteOutput(const std::string& path, std::string_view bytes);
bool WriteOutput(const std::string& path, const std::vector<std::uint8_t>& bytes);

// The code format --format asks for: nothing when it is not given (keep the
// project's), 0 for "c", 1 for "asm" (in any case). False for another word.
bool FormatOption(const Args& args, std::optional<int>& format);

}  // namespace cli
