#pragma once
// The parser every subcommand's words go through, and the guess behind
// "did you mean ...?".

#include <optional>
#include <string>
#include <vector>

#include "host/cli/Command.h"

namespace cli {

// Parses the words after the subcommand's name. `--` ends the options and
// `-` alone is a word (standard input). An unknown option, a missing value
// or a value given to a switch is reported as a usage error; then the
// result is empty and `status` is kUsage.
std::optional<Args> ParseArgs(const Command& command, const std::vector<std::string>& words,
                              int& status);

// The candidate that `word` is most likely a slip for (a typo or an
// abbreviation), or "" when none is close.
std::string Nearest(const std::string& word, const std::vector<std::string>& candidates);

}  // namespace cli
