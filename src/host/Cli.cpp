#include "host/Cli.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "codegen/SourceGenerator.h"
#include "devices/Models.h"
#include "devices/ProjectDiff.h"
#include "devices/Q7R2xDoc.h"
#include "host/ConsoleUi.h"
#include "host/ScriptRunner.h"
#include "model/FileIo.h"
#include "model/TextDiff.h"

namespace cli {
namespace {

constexpr int kOk = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;
// check and diff, like diff(1): 1 means "different", trouble is 2.
constexpr int kDifferent = 1;
constexpr int kTrouble = 2;

struct Command {
    const char* Name;
    const char* Synopsis;  // after "usage: "
    const char* Summary;   // one line in the general usage
    const char* Details;   // what `zorvant NAME --help` adds
};

constexpr Command kCommands[] = {
    {"new", "zorvant new MODEL -o FILE", "write a new project (Q7R20 ... Q7R27)",
     "Writes the project that File > New and Save Project write for MODEL (Q7R20 ... Q7R27,\n"
     "in any case).\n"},
    {"generate", "zorvant generate PROJECT [--format c|asm] [-o OUT]",
     "write the generated source (default: stdout)",
     "Writes the initialisation source PROJECT generates, byte for byte as Save Source As\n"
     "writes it, to standard output or to OUT. --format chooses C or assembly instead of the\n"
     "project's own format. PROJECT '-' reads standard input; OUT may not be PROJECT itself.\n"},
    {"convert", "zorvant convert PROJECT -o OUT", "rewrite any older project as version 1.60",
     "Reads a project of any version from 1.00 on and writes it as version 1.60. OUT may be\n"
     "PROJECT itself: the old file stays until the new one is completely written.\n"},
    {"info", "zorvant info PROJECT", "describe a project",
     "Prints the model, file version, clock words, header name, code format and, per record,\n"
     "the registers its routine writes. PROJECT '-' reads standard input. As a git textconv\n"
     "filter it makes `git diff` show .zvp changes as text.\n"},
    {"check", "zorvant check PROJECT SOURCE [--format c|asm]",
     "is SOURCE exactly what PROJECT generates?",
     "Compares SOURCE with the source PROJECT generates (in --format, else in the project's\n"
     "format). Exit status 0 when they are byte for byte the same; 1 when SOURCE is stale or\n"
     "was edited by hand, with a unified diff from SOURCE to the generated text on standard\n"
     "output; 2 when a file cannot be read or the command is wrong. Either PROJECT or SOURCE\n"
     "may be '-' for standard input.\n"},
    {"diff", "zorvant diff A.zvp B.zvp", "the differences between two projects",
     "Lists what differs between two projects as a reviewer reads it: model, clock words,\n"
     "header name and code format, then per routine each register whose value or written\n"
     "state differs (\"    TMOD  0x20 -> 0x21\") and each changed code text. The file version\n"
     "is not compared. Exit status 0 when they are equal, 1 when they differ, 2 on trouble.\n"
     "Either project may be '-' for standard input.\n"},
    {"run", "zorvant run SCRIPT", "drive the program from a script", nullptr},
};

constexpr const char* kExitStatus =
    "Exit status: 0 success; 1 a file cannot be read or written, is corrupt or of a newer\n"
    "version, a script fails, the desktop has no display, or (check, diff) the files differ;\n"
    "2 a usage error, or (check, diff) a file cannot be read.\n";

const Command* FindCommand(const QString& name) {
    for (const Command& c : kCommands)
        if (name == QLatin1String(c.Name)) return &c;
    return nullptr;
}

std::string GeneralUsage() {
    std::string text = "usage: zorvant [PROJECT.zvp ...]";
    text.append(41 - text.size(), ' ');
    text += "open the desktop program (and these projects)\n";
    for (const Command& c : kCommands) {
        std::string line = std::string("       ") + c.Synopsis;
        if (line.size() >= 40)
            line += "\n" + std::string(40, ' ');
        else
            line.append(40 - line.size(), ' ');
        text += line + " " + c.Summary + "\n";
    }
    text +=
        "       zorvant help [SUBCOMMAND] | SUBCOMMAND --help\n"
        "       zorvant --version\n"
        "\n"
        "PROJECT '-' reads the project from standard input (generate, info, check, diff).\n"
        "`zorvant run --help` describes the script language.\n"
        "Every error goes to standard error as one line starting with \"zorvant:\".\n\n";
    return text + kExitStatus;
}

std::string CommandHelp(const Command& c) {
    if (!c.Details) return kScriptHelp;
    return std::string("usage: ") + c.Synopsis + "\n\n" + c.Details;
}

std::string VersionText() {
    return "zorvant " + QCoreApplication::applicationVersion().toStdString() +
           " (Zorvant Q7R2x)\n"
           "project file format 1.60 (reads every version from 1.00 on)\n";
}

void Err(const std::string& text) {
    std::fprintf(stderr, "zorvant: %s\n", text.c_str());
    std::fflush(stderr);
}

int UsageError(const Command& c, const std::string& text) {
    Err(std::string(c.Name) + ": " + text);
    std::fprintf(stderr, "usage: %s\n", c.Synopsis);
    return kUsage;
}

std::string Shown(const QString& path) {
    return path == "-" ? std::string("standard input") : path.toLocal8Bit().toStdString();
}

std::string Local(const QString& path) {
    return path.toLocal8Bit().toStdString();
}

struct Parsed {
    QStringList positional;
    QString output;
    QString format;
    bool help = false;
};

std::optional<Parsed> Parse(const QStringList& words, bool withOutput, bool withFormat,
                            QString& error) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({"h", "help"}, "Show this help.");
    const QCommandLineOption output({"o", "output"}, "Output file.", "FILE");
    const QCommandLineOption format("format", "Output format: c or asm.", "FORMAT");
    parser.addOption(help);
    if (withOutput) parser.addOption(output);
    if (withFormat) parser.addOption(format);
    if (!parser.parse(words)) {
        error = parser.errorText();
        return std::nullopt;
    }
    // An option given an empty word names nothing: "-o ''" must not fall
    // back to standard output, nor "--format ''" to the project's format.
    if (withOutput && parser.isSet(output) && parser.value(output).isEmpty()) {
        error = "-o needs a file name";
        return std::nullopt;
    }
    if (withFormat && parser.isSet(format) && parser.value(format).isEmpty()) {
        error = "--format takes c or asm";
        return std::nullopt;
    }
    Parsed p;
    p.positional = parser.positionalArguments();
    p.help = parser.isSet(help);
    if (withOutput) p.output = parser.value(output);
    if (withFormat) p.format = parser.value(format);
    return p;
}

// --format: nullopt for "keep the project's", -1 for a bad word.
std::optional<int> FormatOf(const QString& word) {
    if (word.isEmpty()) return std::nullopt;
    const QString f = word.toLower();
    if (f == "c") return 0;
    if (f == "asm") return 1;
    return -1;
}

bool WriteOutput(const QString& path, std::string_view bytes) {
    if (path.isEmpty() || path == "-") {
        const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
                        std::fflush(stdout) == 0;
        if (!ok) Err(std::string("cannot write standard output: ") + std::strerror(errno));
        return ok;
    }
    const std::string error = fileio::WriteFileSafely(Local(path), bytes);
    if (!error.empty()) Err(error);
    return error.empty();
}

bool WriteOutput(const QString& path, const std::vector<std::uint8_t>& bytes) {
    return WriteOutput(path,
                       std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// Opens a project as the desktop program does: the first byte picks the
// model's document, which then reads the file. Failures are reported.
std::unique_ptr<CQ7R2xDoc> OpenProject(const QString& path) {
    std::string data;
    const std::string error = fileio::ReadFileBounded(Local(path), fileio::kProjectSizeLimit, data);
    if (!error.empty()) {
        Err(error);
        return nullptr;
    }
    if (data.empty() || !models::IsModelCode(static_cast<unsigned char>(data[0]))) {
        Err(Shown(path) + " is not a Q7R2x project (unknown device code)");
        return nullptr;
    }
    auto doc = CreateModelDocument(static_cast<unsigned char>(data[0]) - models::kFirstCode);
    ConsoleUi ui;
    ui.Prefix = "zorvant: " + Shown(path) + ": ";
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
    switch (doc->LoadProject(bytes, ui)) {
        case LoadStatus::Loaded:
            return doc;
        case LoadStatus::Refused:  // the message went to stderr through the UI service
            return nullptr;
        case LoadStatus::Corrupt:
            Err(Shown(path) + " is corrupt or truncated");
            return nullptr;
    }
    return nullptr;
}

QString Hex(unsigned v) {
    return QString::asprintf("0x%02X", v);
}

int CmdNew(const Command& c, const Parsed& p) {
    if (p.positional.size() != 1) return UsageError(c, "expected one MODEL");
    if (p.output.isEmpty()) return UsageError(c, "-o FILE is required");
    const auto model = models::ModelFromName(p.positional[0].toStdString());
    if (!model)
        return UsageError(c, "unknown model " + Local(p.positional[0]) + " (Q7R20 ... Q7R27)");
    const auto doc = NewProject(*model);
    return WriteOutput(p.output, doc->SaveProject()) ? kOk : kFailure;
}

int CmdGenerate(const Command& c, const Parsed& p) {
    if (p.positional.size() != 1) return UsageError(c, "expected one PROJECT");
    const auto format = FormatOf(p.format);
    if (format == -1) return UsageError(c, "--format takes c or asm");
    const QString& input = p.positional[0];
    if (!p.output.isEmpty() && p.output != "-" && fileio::SameFile(Local(input), Local(p.output)))
        return UsageError(c,
                          "the output " + Local(p.output) +
                              " is the project itself; it would be overwritten with source text");
    auto doc = OpenProject(input);
    if (!doc) return kFailure;
    if (format) doc->DeviceData.CodeFormat = *format;
    return WriteOutput(p.output, doc->GenerateSource()) ? kOk : kFailure;
}

int CmdConvert(const Command& c, const Parsed& p) {
    if (p.positional.size() != 1) return UsageError(c, "expected one PROJECT");
    if (p.output.isEmpty()) return UsageError(c, "-o OUT is required");
    auto doc = OpenProject(p.positional[0]);
    if (!doc) return kFailure;
    return WriteOutput(p.output, doc->SaveProject()) ? kOk : kFailure;
}

int CmdInfo(const Command& c, const Parsed& p) {
    if (p.positional.size() != 1) return UsageError(c, "expected one PROJECT");
    auto doc = OpenProject(p.positional[0]);
    if (!doc) return kFailure;
    const CDeviceData& d = doc->DeviceData;
    QString out;
    out += QString("model: %1 (%2, device code %3)\n")
               .arg(QString::fromStdString(models::NameOf(doc->DeviceCode)), doc->GetRuntimeClass())
               .arg(doc->DeviceCode);
    out += QString("file version: %1.%2\n")
               .arg(d.FileVersionMajor)
               .arg(d.FileVersionMinor, 2, 10, QChar('0'));
    out += QString("SysclkFrequency: %1\n").arg(doc->SysclkFrequency);
    out += QString("IntOscFrequency: %1\n").arg(doc->IntOscFrequency);
    out += QString("LfOscFrequency: %1\n").arg(doc->LfOscFrequency);
    out += QString("ExtOscFrequency: %1\n").arg(doc->ExtOscFrequency);
    out += QString("EciFrequency: %1\n").arg(doc->EciFrequency);
    out += "IncludeName: " + QString::fromLatin1(d.IncludeName.c_str()) + "\n";
    out += QString("CodeFormat: %1 (%2)\n")
               .arg(d.CodeFormat)
               .arg(d.CodeFormat == 0 ? "C" : "assembly");
    out += QString("records: %1\n").arg(d.Peripherals.size());
    for (const auto& [key, rec] : d.Peripherals) {
        const std::string routine = codegen::CallNameFromLabel(rec.AsmLabel);
        out += QString("record %1: %2\n").arg(key).arg(QString::fromLatin1(routine.c_str()));
        for (const auto& e : rec.Registers)
            if (e.IsWritten())
                out += "    " + QString::fromLatin1(e.Name.c_str()) + " = " + Hex(e.Value) + "\n";
    }
    const QByteArray bytes = out.toLatin1();
    return WriteOutput("-",
                       std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))
               ? kOk
               : kFailure;
}

int CmdCheck(const Command& c, const Parsed& p) {
    if (p.positional.size() != 2) return UsageError(c, "expected PROJECT and SOURCE");
    const auto format = FormatOf(p.format);
    if (format == -1) return UsageError(c, "--format takes c or asm");
    const QString &project = p.positional[0], &source = p.positional[1];
    if (project == "-" && source == "-")
        return UsageError(c, "only one of PROJECT and SOURCE can be '-'");
    auto doc = OpenProject(project);
    if (!doc) return kTrouble;
    std::string actual;
    const std::string error =
        fileio::ReadFileBounded(Local(source), fileio::kProjectSizeLimit, actual);
    if (!error.empty()) {
        Err(error);
        return kTrouble;
    }
    if (format) doc->DeviceData.CodeFormat = *format;
    const std::string generated = doc->GenerateSource();
    if (actual == generated) return kOk;
    const std::string diff =
        textdiff::Unified(actual, generated, Shown(source), Shown(project) + " (generated)");
    std::fwrite(diff.data(), 1, diff.size(), stdout);
    std::fflush(stdout);
    Err(Shown(source) + " is not what " + Shown(project) + " generates");
    return kDifferent;
}

int CmdDiff(const Command& c, const Parsed& p) {
    if (p.positional.size() != 2) return UsageError(c, "expected two projects");
    const QString &a = p.positional[0], &b = p.positional[1];
    if (a == "-" && b == "-") return UsageError(c, "only one project can be '-'");
    auto docA = OpenProject(a);
    if (!docA) return kTrouble;
    auto docB = OpenProject(b);
    if (!docB) return kTrouble;
    const std::string text = projectdiff::Describe(*docA, *docB, Shown(a), Shown(b));
    if (!WriteOutput("-", text)) return kTrouble;
    return text.empty() ? kOk : kDifferent;
}

// Levenshtein distance, for "did you mean ...?".
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

// The subcommand `word` is most likely a slip for, or "".
std::string NearCommand(const std::string& word) {
    std::string best;
    std::size_t bestDistance = 3;
    std::vector<std::string> names = {"help"};
    for (const Command& c : kCommands)
        names.emplace_back(c.Name);
    for (const std::string& name : names) {
        std::string lower;
        for (char ch : word)
            lower += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        std::size_t d = Distance(lower, name);
        if (lower.size() >= 3 && name.rfind(lower, 0) == 0) d = 1;  // an abbreviation
        if (d < bestDistance && d < name.size()) {
            best = name;
            bestDistance = d;
        }
    }
    return best;
}

}  // namespace

bool IsSubcommand(const char* word) {
    const std::string w = word ? word : "";
    if (w == "help" || w == "--help" || w == "-h" || w == "--version" || w == "-V") return true;
    return w != "run" && FindCommand(QString::fromLocal8Bit(w.c_str())) != nullptr;
}

int Run(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral("1.60"));
    QStringList words = app.arguments();
    const QString command = words.size() > 1 ? words[1] : QString();
    if (command == "--version" || command == "-V") {
        std::fputs(VersionText().c_str(), stdout);
        return kOk;
    }
    if (command == "help" || command == "--help" || command == "-h") {
        if (words.size() == 2) {
            std::fputs(GeneralUsage().c_str(), stdout);
            return kOk;
        }
        const Command* c = words.size() == 3 ? FindCommand(words[2]) : nullptr;
        if (!c) {
            Err("help: no subcommand " + Local(words.mid(2).join(' ')) +
                "; zorvant --help lists them");
            return kUsage;
        }
        std::fputs(CommandHelp(*c).c_str(), stdout);
        return kOk;
    }
    const Command& c = *FindCommand(command);
    words.removeAt(1);  // the parser sees the program name and the options

    const std::string name = c.Name;
    const bool withOutput = name == "new" || name == "generate" || name == "convert";
    const bool withFormat = name == "generate" || name == "check";
    QString error;
    const auto parsed = Parse(words, withOutput, withFormat, error);
    if (!parsed) return UsageError(c, Local(error));
    if (parsed->help) {
        std::fputs(CommandHelp(c).c_str(), stdout);
        return kOk;
    }
    if (name == "new") return CmdNew(c, *parsed);
    if (name == "generate") return CmdGenerate(c, *parsed);
    if (name == "convert") return CmdConvert(c, *parsed);
    if (name == "check") return CmdCheck(c, *parsed);
    if (name == "diff") return CmdDiff(c, *parsed);
    return CmdInfo(c, *parsed);
}

int CheckDesktopArguments(int argc, char** argv) {
    // Qt's own options: those that take a value, and plain switches.
    static const char* const kWithValue[] = {
        "platform",    "platformpluginpath", "platformtheme", "plugin",   "display",
        "style",       "stylesheet",         "session",       "geometry", "qwindowgeometry",
        "qwindowicon", "qwindowtitle",       "title",         "name",     "qmljsdebugger"};
    static const char* const kSwitches[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};
    auto usage = [](const std::string& what) {
        Err(what);
        Err("zorvant --help lists the subcommands and options");
        return kUsage;
    };
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
                if (i + 1 >= argc) return usage("option " + word + " needs a value");
                ++i;
                continue;
            }
            if (std::any_of(std::begin(kSwitches), std::end(kSwitches),
                            [&](const char* o) { return bare == o; }))
                continue;
            return usage("unknown option " + word);
        }
        struct stat st {};
        if (::stat(word.c_str(), &st) == 0) continue;
        if (i == 1) {
            const std::string near = NearCommand(word);
            if (!near.empty())
                return usage("unknown subcommand " + word + " (did you mean " + near + "?)");
            return usage(word + " is neither a subcommand nor an existing file");
        }
        return usage(word + ": no such file");
    }
    return -1;
}

}  // namespace cli
