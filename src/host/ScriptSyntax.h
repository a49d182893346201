#pragma once
// The words of a script line, without Qt, so that the line parser can be
// fuzzed on its own and programs that write scripts (the explorer) quote
// their words the way the runner reads them.

#include <string>
#include <vector>

namespace script {

// Splits a line into words: double-quoted words may hold spaces and the
// escapes \n, \" and \\; '#' outside quotes starts a comment unless a digit
// follows it ("#2" is an entry index). Returns false (with `error`) for an
// unterminated quote or an unknown escape.
bool Split(const std::string& line, std::vector<std::string>& words, std::string& error);

// A word as a script writes it: bare when Split reads it back unchanged,
// else double-quoted with the escapes.
std::string Quote(const std::string& word);

// The words joined by single spaces, each quoted as needed.
std::string Join(const std::vector<std::string>& words);

}  // namespace script
