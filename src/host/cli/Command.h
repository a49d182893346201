#pragma once
// What a subcommand of the command line is: its name, its help texts, the
// options it takes and the handler that runs it. The shared parser turns the
// words after the name into `Args` before the handler sees them, so every
// subcommand treats options, `-o`, `--json`, `-` and usage errors alike.
// The subcommands are listed in Subcommands.h. No Qt here.

#include <string>
#include <utility>
#include <vector>

namespace cli {

// Exit statuses. check, diff and merge answer like diff(1): 1 means
// "different" (or "conflict"), trouble is 2.
inline constexpr int kOk = 0;
inline constexpr int kFailure = 1;
inline constexpr int kUsage = 2;
inline constexpr int kDifferent = 1;
inline constexpr int kTrouble = 2;

// One option. `--LONG`, `-LONG` and `-SHORT` are the same option; its value
// is the next word or follows '='.
struct Option {
    const char* Long;
    const char* Short;  // "o", or nullptr
    const char* Value;  // the value's name ("FILE"), nullptr for a switch
};

// The options several subcommands share.
inline constexpr Option kOutput = {"output", "o", "FILE"};
inline constexpr Option kFormat = {"format", nullptr, "c|asm"};
inline constexpr Option kJson = {"json", nullptr, nullptr};
inline constexpr Option kForce = {"force", nullptr, nullptr};

class Args;

struct Command {
    const char* Name;
    const char* Synopsis;  // after "usage: "
    const char* Summary;   // its line in `zorvant --help`
    // What `zorvant NAME --help` prints after the synopsis; nullptr when the
    // handler answers --help itself (Args::HelpAsked).
    const char* Help;
    std::vector<Option> Options;  // besides -h/--help, which every subcommand takes
    int (*Handler)(const Args&);
};

// The words after the subcommand's name, parsed against its options.
class Args {
public:
    Args(const Command& command, std::vector<std::string> positional,
         std::vector<std::pair<std::string, std::string>> options, bool help)
        : command_(command),
          positional_(std::move(positional)),
          options_(std::move(options)),
          help_(help) {}

    const Command& Cmd() const { return command_; }
    // The words that are no options, in order ("-" among them for stdin).
    const std::vector<std::string>& Positional() const { return positional_; }
    const std::string& operator[](std::size_t i) const { return positional_.at(i); }
    std::size_t Count() const { return positional_.size(); }

    // Whether the option was given, and its (last) value.
    bool Has(const Option& option) const;
    std::string Value(const Option& option) const;
    // --help or `zorvant help NAME`, for a command without a Help text.
    bool HelpAsked() const { return help_; }

    // Reports a usage error of this subcommand: "zorvant: NAME: WHAT" and
    // the synopsis as the hint line. Returns kUsage.
    int Usage(const std::string& what) const;

private:
    const Command& command_;
    std::vector<std::string> positional_;
    std::vector<std::pair<std::string, std::string>> options_;
    bool help_;
};

}  // namespace cli
