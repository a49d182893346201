#include "host/cli/Cli.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "host/cli/Command.h"
#include "host/cli/DesktopLauncher.h"
#include "host/cli/Io.h"
#include "host/cli/Parse.h"

namespace cli {

#define ZV_SUBCOMMAND(name) extern const Command name;
#include "host/cli/Subcommands.def"
#undef ZV_SUBCOMMAND

namespace {

const Command* const kCommands[] = {
#define ZV_SUBCOMMAND(name) &name,
#include "host/cli/Subcommands.def"
#undef ZV_SUBCOMMAND
};

constexpr const char* kExitStatus =
    "Exit status: 0 success; 1 a file cannot be read or written, is corrupt or of a newer\n"
    "version, a script fails, the desktop has no display, place cannot meet the wishes,\n"
    "(check, diff) the files differ or (merge) a conflict; 2 a usage error, or (check, diff,\n"
    "merge) a file cannot be read.\n";

// The hint under an error that is no subcommand's.
constexpr const char* kGeneralHint =
    "usage: zorvant [PROJECT.zvp ...] | zorvant SUBCOMMAND ... (zorvant --help lists them)";

const Command* FindCommand(const std::string& name) {
    for (const Command* c : kCommands)
        if (name == c->Name) return c;
    return nullptr;
}

std::string GeneralUsage() {
    std::string text = "usage: zorvant [PROJECT.zvp ...]";
    text.append(41 - text.size(), ' ');
    text += "open the desktop program (and these projects)\n";
    for (const Command* c : kCommands) {
        std::string line = std::string("       ") + c->Synopsis;
        if (line.size() >= 40)
            line += "\n" + std::string(40, ' ');
        else
            line.append(40 - line.size(), ' ');
        text += line + " " + c->Summary + "\n";
    }
    text +=
        "       zorvant help [SUBCOMMAND] | SUBCOMMAND --help\n"
        "       zorvant --version\n"
        "\n"
        "A project '-' is read from standard input (generate, info, check, diff, merge).\n"
        "`zorvant run --help` describes the script language.\n"
        "Every error goes to standard error as one line starting with \"zorvant:\",\n"
        "a usage error with one more line that shows the usage.\n\n";
    return text + kExitStatus;
}

constexpr const char* kVersion =
    "zorvant 1.60 (Zorvant Q7R2x)\n"
    "project file format 1.60 (reads every version from 1.00 on)\n";

int GeneralUsageError(const std::string& what) {
    Err(what);
    std::fprintf(stderr, "%s\n", kGeneralHint);
    return kUsage;
}

std::vector<std::string> CommandNames() {
    std::vector<std::string> names = {"help"};
    for (const Command* c : kCommands)
        names.emplace_back(c->Name);
    return names;
}

int RunCommand(const Command& c, const std::vector<std::string>& words) {
    int status = kOk;
    const auto args = ParseArgs(c, words, status);
    if (!args) return status;
    if (args->HelpAsked() && c.Help) {
        std::printf("usage: %s\n\n%s", c.Synopsis, c.Help);
        return kOk;
    }
    return c.Handler(*args);
}

int Help(const std::vector<std::string>& words) {
    if (words.empty()) {
        std::fputs(GeneralUsage().c_str(), stdout);
        return kOk;
    }
    const Command* c = words.size() == 1 ? FindCommand(words[0]) : nullptr;
    if (!c) {
        std::string what;
        for (const std::string& w : words)
            what += (what.empty() ? "" : " ") + w;
        const std::string near = words.size() == 1 ? Nearest(words[0], CommandNames()) : "";
        return GeneralUsageError("help: no subcommand " + what +
                                 (near.empty() ? "" : " (did you mean " + near + "?)"));
    }
    return RunCommand(*c, {"--help"});
}

// Checks the words the desktop program would get: Qt's own options and
// existing files. Returns -1 when they are fine; otherwise reports the first
// bad word (an unknown option, or a word that is neither a subcommand nor an
// existing file, with "did you mean ...?" for a near subcommand) and returns
// kUsage.
int CheckDesktopArguments(int argc, char** argv) {
    // Qt's own options: those that take a value, and plain switches.
    static const char* const kWithValue[] = {
        "platform",    "platformpluginpath", "platformtheme", "plugin",   "display",
        "style",       "stylesheet",         "session",       "geometry", "qwindowgeometry",
        "qwindowicon", "qwindowtitle",       "title",         "name",     "qmljsdebugger"};
    static const char* const kSwitches[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (options && word == "--") {
            options = false;
            continue;
        }
        if (options && word.size() > 1 && word[0] == '-') {
            const std::string bare = word.substr(word.rfind("--", 0) == 0 ? 2 : 1);
            const bool takesValue = std::any_of(std::begin(kWithValue), std::end(kWithValue),
                                                [&](const char* o) { return bare == o; });
            if (takesValue) {
                if (i + 1 >= argc) return GeneralUsageError("option " + word + " needs a value");
                ++i;
                continue;
            }
            if (std::any_of(std::begin(kSwitches), std::end(kSwitches),
                            [&](const char* o) { return bare == o; }))
                continue;
            return GeneralUsageError("unknown option " + word);
        }
        struct stat st {};
        if (::stat(word.c_str(), &st) == 0) continue;
        if (i == 1) {
            const std::string near = Nearest(word, CommandNames());
            if (!near.empty())
                return GeneralUsageError("unknown subcommand " + word + " (did you mean " + near +
                                         "?)");
            return GeneralUsageError(word + " is neither a subcommand nor an existing file");
        }
        return GeneralUsageError(word + ": no such file");
    }
    return -1;
}

}  // namespace

int Main(int argc, char** argv) {
    SetProgramName(argc > 0 ? argv[0] : nullptr);
    const std::string first = argc >= 2 ? argv[1] : "";
    const std::vector<std::string> rest(argv + std::min(argc, 2), argv + argc);
    if (first == "--version" || first == "-V") {
        std::fputs(kVersion, stdout);
        return kOk;
    }
    if (first == "help" || first == "--help" || first == "-h") return Help(rest);
    if (const Command* c = FindCommand(first)) return RunCommand(*c, rest);
    // Anything else is for the desktop program: Qt's options and project
    // files. A mistyped subcommand stops here instead of opening a window.
    if (const int status = CheckDesktopArguments(argc, argv); status >= 0) return status;
    return StartDesktop(argc, argv);
}

}  // namespace cli
