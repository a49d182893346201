// zorvant info PROJECT

#include <cstdio>

#include "codegen/SourceGenerator.h"
#include "devices/Models.h"
#include "host/cli/Command.h"
#include "host/cli/Io.h"
#include "host/cli/Json.h"

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

std::string Version(const CDeviceData& d) {
    char version[32];
    std::snprintf(version, sizeof version, "%d.%02d", d.FileVersionMajor, d.FileVersionMinor);
    return version;
}

Json InfoJson(const CQ7R2xDoc& doc) {
    const CDeviceData& d = doc.DeviceData;
    Json json = {{"model", models::NameOf(doc.DeviceCode)},
                 {"DeviceCode", doc.DeviceCode},
                 {"FileVersion", Version(d)},
                 {"SysclkFrequency", doc.SysclkFrequency},
                 {"IntOscFrequency", doc.IntOscFrequency},
                 {"LfOscFrequency", doc.LfOscFrequency},
                 {"ExtOscFrequency", doc.ExtOscFrequency},
                 {"EciFrequency", doc.EciFrequency},
                 {"IncludeName", Utf8(d.IncludeName)},
                 {"CodeFormat", d.CodeFormat == 0 ? "c" : "asm"}};
    Json records = Json::array();
    for (const auto& [key, rec] : d.Peripherals) {
        Json registers = Json::array();
        for (const auto& e : rec.Registers)
            registers.push_back(
                {{"register", Utf8(e.Name)}, {"Value", e.Value}, {"Written", e.IsWritten()}});
        records.push_back({{"record", key},
                           {"routine", Utf8(codegen::CallNameFromLabel(rec.AsmLabel))},
                           {"registers", std::move(registers)}});
    }
    json["records"] = std::move(records);
    return json;
}

int Info(const Args& a) {
    if (a.Count() != 1) return a.Usage("expected one PROJECT");
    auto doc = OpenProject(a[0]);
    if (!doc) return kFailure;
    if (a.Has(kJson)) return WriteJson(InfoJson(*doc)) ? kOk : kFailure;
    const CDeviceData& d = doc->DeviceData;
    std::string out = "model: " + models::NameOf(doc->DeviceCode) + " (" +
                      doc->GetRuntimeClass() + ", device code " +
                      std::to_string(doc->DeviceCode) + ")\n";
    out += "file version: " + Version(d) + "\n";
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
    "info", "zorvant info PROJECT [--json]", "describe a project",
    "Prints the model, file version, clock words, header name, code format and, per record,\n"
    "the registers its routine writes. PROJECT '-' reads standard input. As a git textconv\n"
    "filter it makes `git diff` show .zvp changes as text.\n"
    "\n"
    "--json prints one object, keys in this order: \"model\" (\"Q7R20\"), \"DeviceCode\" (160),\n"
    "\"FileVersion\" (\"1.60\"), \"SysclkFrequency\", \"IntOscFrequency\", \"LfOscFrequency\",\n"
    "\"ExtOscFrequency\", \"EciFrequency\" (hertz), \"IncludeName\", \"CodeFormat\" (\"c\" or\n"
    "\"asm\") and \"records\": per record {\"record\": its number, \"routine\": \"Timer_Init\",\n"
    "\"registers\": [{\"register\": \"TMOD\", \"Value\": 32, \"Written\": true}, ...]}, every\n"
    "register in the order the routine writes them; \"Written\" says whether it is written.\n",
    {kJson}, Info};

}  // namespace cli
