// zorvant info PROJECT

#include <cstdio>

#include "codegen/SourceGenerator.h"
#include "devices/Models.h"
#include "host/cli/Command.h"
#include "host/cli/Io.h"

namespace cli {
namespace {

// Texts as the file holds them, up to a NUL.
std::string Text(const std::string& s) {
    return s.c_str();
}

std::string Hex(unsigned v) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", v & 0xFFu);
    return text;
}

int Info(const Args& a) {
    if (a.Count() != 1) return a.Usage("expected one PROJECT");
    auto doc = OpenProject(a[0]);
    if (!doc) return kFailure;
    const CDeviceData& d = doc->DeviceData;
    char version[32];
    std::snprintf(version, sizeof version, "%d.%02d", d.FileVersionMajor, d.FileVersionMinor);
    std::string out = "model: " + models::NameOf(doc->DeviceCode) + " (" +
                      doc->GetRuntimeClass() + ", device code " +
                      std::to_string(doc->DeviceCode) + ")\n";
    out += "file version: " + std::string(version) + "\n";
    out += "SysclkFrequency: " + std::to_string(doc->SysclkFrequency) + "\n";
    out += "IntOscFrequency: " + std::to_string(doc->IntOscFrequency) + "\n";
    out += "LfOscFrequency: " + std::to_string(doc->LfOscFrequency) + "\n";
    out += "ExtOscFrequency: " + std::to_string(doc->ExtOscFrequency) + "\n";
    out += "EciFrequency: " + std::to_string(doc->EciFrequency) + "\n";
    out += "IncludeName: " + Text(d.IncludeName) + "\n";
    out += "CodeFormat: " + std::to_string(d.CodeFormat) +
           (d.CodeFormat == 0 ? " (C)\n" : " (assembly)\n");
    out += "records: " + std::to_string(d.Peripherals.size()) + "\n";
    for (const auto& [key, rec] : d.Peripherals) {
        out += "record " + std::to_string(key) + ": " +
               Text(codegen::CallNameFromLabel(rec.AsmLabel)) + "\n";
        for (const auto& e : rec.Registers)
            if (e.IsWritten()) out += "    " + Text(e.Name) + " = " + Hex(e.Value) + "\n";
    }
    return WriteOutput("-", out) ? kOk : kFailure;
}

}  // namespace

extern const Command kInfo{
    "info", "zorvant info PROJECT", "describe a project",
    "Prints the model, file version, clock words, header name, code format and, per record,\n"
    "the registers its routine writes. PROJECT '-' reads standard input. As a git textconv\n"
    "filter it makes `git diff` show .zvp changes as text.\n",
    {}, Info};

}  // namespace cli
