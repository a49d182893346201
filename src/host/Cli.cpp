#include "host/Cli.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "codegen/SourceGenerator.h"
#include "devices/Models.h"
#include "devices/Q7R2xDoc.h"
#include "host/ConsoleUi.h"

namespace cli {
namespace {

constexpr int kOk = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

constexpr const char* kUsageText =
    "usage: zorvant                               open the desktop program\n"
    "       zorvant new MODEL -o FILE             write a new project (MODEL: Q7R20 ... Q7R27)\n"
    "       zorvant generate FILE [--format c|asm] [-o OUT]\n"
    "                                             write the generated source (stdout by default)\n"
    "       zorvant convert FILE -o OUT           rewrite any project version as version 1.60\n"
    "       zorvant info FILE                     describe a project\n";

void Err(const QString& text) { std::fprintf(stderr, "zorvant: %s\n", qPrintable(text)); }

int UsageError(const QString& text) {
    Err(text);
    std::fputs(kUsageText, stderr);
    return kUsage;
}

// Parses the words after the subcommand; nullopt when they are not valid.
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
    Parsed p;
    p.positional = parser.positionalArguments();
    p.help = parser.isSet(help);
    if (withOutput) p.output = parser.value(output);
    if (withFormat) p.format = parser.value(format);
    return p;
}

bool WriteBytes(const QString& path, const char* data, std::size_t size) {
    if (path.isEmpty() || path == "-") {
        const bool ok = std::fwrite(data, 1, size, stdout) == size && std::fflush(stdout) == 0;
        if (!ok) Err("cannot write to standard output");
        return ok;
    }
    // Written to a temporary and renamed on success, so a failure leaves no
    // partial file and keeps an existing one intact.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(data, static_cast<qint64>(size)) != static_cast<qint64>(size) ||
        !file.commit()) {
        Err(QString("cannot write %1: %2").arg(path, file.errorString()));
        file.cancelWriting();
        return false;
    }
    return true;
}

bool WriteBytes(const QString& path, const std::vector<std::uint8_t>& bytes) {
    return WriteBytes(path, reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// Opens a project as the desktop program does: the first byte picks the
// model's document, which then reads the file. Failures are reported.
std::unique_ptr<CQ7R2xDoc> OpenProject(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Err(QString("cannot read %1: %2").arg(path, file.errorString()));
        return nullptr;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        Err(QString("cannot read %1: %2").arg(path, file.errorString()));
        return nullptr;
    }
    if (data.isEmpty() || !models::IsModelCode(static_cast<unsigned char>(data[0]))) {
        Err(QString("%1 is not a Q7R2x project (unknown device code)").arg(path));
        return nullptr;
    }
    auto doc = CreateModelDocument(static_cast<unsigned char>(data[0]) - models::kFirstCode);
    ConsoleUi ui;
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(data.constData()),
                                 static_cast<std::size_t>(data.size()));
    switch (doc->LoadProject(bytes, ui)) {
        case LoadStatus::Loaded:
            return doc;
        case LoadStatus::Refused:  // the message went to stderr through the UI service
            return nullptr;
        case LoadStatus::Corrupt:
            Err(QString("%1 is corrupt or truncated").arg(path));
            return nullptr;
    }
    return nullptr;
}

QString Hex(unsigned v) { return QString::asprintf("0x%02X", v); }

int CmdNew(const Parsed& p) {
    if (p.positional.size() != 1) return UsageError("new: expected one MODEL");
    if (p.output.isEmpty()) return UsageError("new: -o FILE is required");
    const auto model = models::ModelFromName(p.positional[0].toStdString());
    if (!model) return UsageError("new: unknown model " + p.positional[0] + " (Q7R20 ... Q7R27)");
    const auto doc = NewProject(*model);
    return WriteBytes(p.output, doc->SaveProject()) ? kOk : kFailure;
}

int CmdGenerate(const Parsed& p) {
    if (p.positional.size() != 1) return UsageError("generate: expected one FILE");
    std::optional<int> format;
    if (!p.format.isEmpty()) {
        const QString f = p.format.toLower();
        if (f == "c") format = 0;
        else if (f == "asm") format = 1;
        else return UsageError("generate: --format takes c or asm");
    }
    auto doc = OpenProject(p.positional[0]);
    if (!doc) return kFailure;
    if (format) doc->DeviceData.CodeFormat = *format;
    const std::string text = doc->GenerateSource();
    return WriteBytes(p.output, text.data(), text.size()) ? kOk : kFailure;
}

int CmdConvert(const Parsed& p) {
    if (p.positional.size() != 1) return UsageError("convert: expected one FILE");
    if (p.output.isEmpty()) return UsageError("convert: -o OUT is required");
    auto doc = OpenProject(p.positional[0]);
    if (!doc) return kFailure;
    return WriteBytes(p.output, doc->SaveProject()) ? kOk : kFailure;
}

int CmdInfo(const Parsed& p) {
    if (p.positional.size() != 1) return UsageError("info: expected one FILE");
    auto doc = OpenProject(p.positional[0]);
    if (!doc) return kFailure;
    const CDeviceData& d = doc->DeviceData;
    QString out;
    out += QString("model: %1 (%2, device code %3)\n")
               .arg(QString::fromStdString(models::NameOf(doc->DeviceCode)),
                    doc->GetRuntimeClass())
               .arg(doc->DeviceCode);
    out += QString("file version: %1.%2\n").arg(d.FileVersionMajor).arg(d.FileVersionMinor, 2, 10, QChar('0'));
    out += QString("SysclkFrequency: %1\n").arg(doc->SysclkFrequency);
    out += QString("IntOscFrequency: %1\n").arg(doc->IntOscFrequency);
    out += QString("LfOscFrequency: %1\n").arg(doc->LfOscFrequency);
    out += QString("ExtOscFrequency: %1\n").arg(doc->ExtOscFrequency);
    out += QString("EciFrequency: %1\n").arg(doc->EciFrequency);
    out += "IncludeName: " + QString::fromLatin1(d.IncludeName.c_str()) + "\n";
    out += QString("CodeFormat: %1 (%2)\n").arg(d.CodeFormat).arg(d.CodeFormat == 0 ? "C" : "assembly");
    out += QString("records: %1\n").arg(d.Peripherals.size());
    for (const auto& [key, rec] : d.Peripherals) {
        const std::string routine = codegen::CallNameFromLabel(rec.AsmLabel);
        out += QString("record %1: %2\n").arg(key).arg(QString::fromLatin1(routine.c_str()));
        for (const auto& e : rec.Registers)
            if (e.IsWritten())
                out += "    " + QString::fromLatin1(e.Name.c_str()) + " = " + Hex(e.Value) + "\n";
    }
    const QByteArray bytes = out.toLatin1();
    return WriteBytes("-", bytes.constData(), static_cast<std::size_t>(bytes.size())) ? kOk : kFailure;
}

}  // namespace

bool IsSubcommand(const char* word) {
    const std::string w = word ? word : "";
    return w == "new" || w == "generate" || w == "convert" || w == "info" || w == "help" ||
           w == "--help" || w == "-h";
}

int Run(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList words = app.arguments();
    const QString command = words.size() > 1 ? words[1] : QString();
    if (command == "help" || command == "--help" || command == "-h") {
        std::fputs(kUsageText, stdout);
        return kOk;
    }
    words.removeAt(1);  // the parser sees the program name and the options

    const bool withOutput = command != "info";
    const bool withFormat = command == "generate";
    QString error;
    const auto parsed = Parse(words, withOutput, withFormat, error);
    if (!parsed) return UsageError(command + ": " + error);
    if (parsed->help) {
        std::fputs(kUsageText, stdout);
        return kOk;
    }
    if (command == "new") return CmdNew(*parsed);
    if (command == "generate") return CmdGenerate(*parsed);
    if (command == "convert") return CmdConvert(*parsed);
    return CmdInfo(*parsed);
}

}  // namespace cli
