#include <algorithm>
#include <cctype>
#include <cstdio>

#include "host/cli/Io.h"
#include "host/cli/Parse.h"

namespace cli {

bool Args::Has(const Option& option) const {
    return std::any_of(options_.begin(), options_.end(),
                       [&](const auto& o) { return o.first == option.Long; });
}

std::string Args::Value(const Option& option) const {
    std::string value;
    for (const auto& [name, v] : options_)
        if (name == option.Long) value = v;
    return value;
}

int Args::Usage(const std::string& what) const {
    Err(std::string(command_.Name) + ": " + what);
    std::fprintf(stderr, "usage: %s\n", command_.Synopsis);
    std::fflush(stderr);
    return kUsage;
}

namespace {

// Levenshtein distance.
std::size_t Distance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t up = row[j];
            row[j] =
                std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = up;
        }
    }
    return row[b.size()];
}

const Option* FindOption(const std::vector<Option>& options, const std::string& name) {
    for (const Option& o : options)
        if (name == o.Long || (o.Short && name == o.Short)) return &o;
    return nullptr;
}

}  // namespace

std::string Nearest(const std::string& word, const std::vector<std::string>& candidates) {
    std::string lower;
    for (char ch : word)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    std::string best;
    std::size_t bestDistance = 3;
    for (const std::string& name : candidates) {
        std::size_t d = Distance(lower, name);
        if (lower.size() >= 3 && name.rfind(lower, 0) == 0) d = 1;  // an abbreviation
        if (d < bestDistance && d < name.size()) {
            best = name;
            bestDistance = d;
        }
    }
    return best;
}

std::optional<Args> ParseArgs(const Command& command, const std::vector<std::string>& words,
                              int& status) {
    static constexpr Option kHelp = {"help", "h", nullptr};
    std::vector<Option> options = command.Options;
    options.push_back(kHelp);

    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> given;
    bool help = false;
    auto usage = [&](const std::string& what) {
        Args(command, {}, {}, false).Usage(what);
        status = kUsage;
        return std::nullopt;
    };
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "--") {
            positional.insert(positional.end(), words.begin() + static_cast<long>(i) + 1,
                              words.end());
            break;
        }
        if (word.size() < 2 || word[0] != '-') {
            positional.push_back(word);
            continue;
        }
        std::string name = word.substr(word.rfind("--", 0) == 0 ? 2 : 1);
        std::optional<std::string> inlineValue;
        if (const std::size_t eq = name.find('='); eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.erase(eq);
        }
        const Option* option = FindOption(options, name);
        if (!option) {
            std::vector<std::string> names;
            for (const Option& o : options)
                names.emplace_back(o.Long);
            const std::string near = Nearest(name, names);
            return usage("Unknown option '" + name + "'." +
                         (near.empty() ? "" : " (did you mean --" + near + "?)"));
        }
        if (std::string(option->Long) == kHelp.Long) {
            help = true;
            if (inlineValue) return usage("Unexpected value after '" + word + "'.");
            continue;
        }
        std::string value;
        if (option->Value) {
            if (inlineValue) {
                value = *inlineValue;
            } else if (i + 1 < words.size()) {
                value = words[++i];
            } else {
                return usage("Missing value after '" + word + "'.");
            }
            // An option given an empty word names nothing: "-o ''" must not
            // fall back to standard output, nor "--format ''" to the
            // project's format.
            if (value.empty()) {
                const std::string shown =
                    option->Short ? "-" + std::string(option->Short) : "--" + std::string(option->Long);
                return usage(shown + " needs " +
                             (std::string(option->Value) == "FILE"
                                  ? std::string("a file name")
                                  : "a value (" + std::string(option->Value) + ")"));
            }
        } else if (inlineValue) {
            return usage("Unexpected value after '" + word + "'.");
        }
        given.emplace_back(option->Long, value);
    }
    return Args(command, std::move(positional), std::move(given), help);
}

}  // namespace cli
