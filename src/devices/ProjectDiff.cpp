#include "devices/ProjectDiff.h"

#include <cstdio>
#include <set>

#include "codegen/SourceGenerator.h"
#include "devices/Models.h"
#include "model/DeviceDocument.h"
#include "model/TextDiff.h"

namespace projectdiff {
namespace {

std::string Hex(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value & 0xFFu);
    return text;
}

std::string Model(int code) {
    const std::string name = models::NameOf(code);
    return name.empty() ? "device code " + std::to_string(code) : name;
}

std::string Format(std::int32_t format) {
    return format == 0 ? "C" : "assembly";
}

// A line as shown: without its line end.
std::string_view Shown(std::string_view line) {
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

// "    what:" and the removed and added lines of a changed text.
void TextChange(std::string& out, const std::string& what, const std::string& a,
                const std::string& b) {
    if (a == b) return;
    out += "    " + what + ":\n";
    const auto linesA = textdiff::Lines(a), linesB = textdiff::Lines(b);
    bool shown = false;
    for (const textdiff::Edit& e : textdiff::Diff(linesA, linesB)) {
        if (e.Kind == textdiff::Op::Removed) {
            out += "        - " + std::string(Shown(linesA[e.A])) + "\n";
            shown = true;
        } else if (e.Kind == textdiff::Op::Added) {
            out += "        + " + std::string(Shown(linesB[e.B])) + "\n";
            shown = true;
        }
    }
    if (!shown) out += "        (line ends differ)\n";
}

void Append(std::string& notes, const std::string& note) {
    notes += notes.empty() ? note : ", " + note;
}

// "    NAME  0xAA -> 0xBB" and what else changed about the write.
void RegisterChange(std::string& out, const RegisterEntry& a, const RegisterEntry& b) {
    std::string line = "    " + b.Name + "  " + Hex(a.Value);
    if (a.Value != b.Value) line += " -> " + Hex(b.Value);
    std::string notes;
    if (a.IsWritten() != b.IsWritten())
        Append(notes, a.IsWritten() ? "written -> not written" : "not written -> written");
    if (a.ResetValue != b.ResetValue)
        Append(notes, "reset value " + Hex(a.ResetValue) + " -> " + Hex(b.ResetValue));
    if ((a.ForceWrite != 0) != (b.ForceWrite != 0))
        Append(notes, a.ForceWrite ? "forced -> not forced" : "not forced -> forced");
    if ((a.OrWrite != 0) != (b.OrWrite != 0))
        Append(notes, a.OrWrite ? "OR-write -> plain write" : "plain write -> OR-write");
    if (a.Value != b.Value || !notes.empty())
        out += line + (notes.empty() ? "" : "  (" + notes + ")") + "\n";
    TextChange(out, b.Name + " C text before", a.CPre, b.CPre);
    TextChange(out, b.Name + " assembly text before", a.AsmPre, b.AsmPre);
    TextChange(out, b.Name + " C text after", a.CPost, b.CPost);
    TextChange(out, b.Name + " assembly text after", a.AsmPost, b.AsmPost);
}

std::string Routine(const PeripheralRecord& r, PeripheralId key) {
    std::string name = codegen::CallNameFromLabel(r.AsmLabel);
    if (name.empty()) name = "(unnamed routine)";
    return name + " (record " + std::to_string(key) + ")";
}

void RecordChange(std::string& out, PeripheralId key, const PeripheralRecord& a,
                  const PeripheralRecord& b) {
    std::string body;
    TextChange(body, "C head", a.CHead, b.CHead);
    TextChange(body, "assembly label", a.AsmLabel, b.AsmLabel);
    TextChange(body, "C prologue", a.CPrologue, b.CPrologue);
    TextChange(body, "assembly prologue", a.AsmPrologue, b.AsmPrologue);
    const std::size_t common = std::min(a.Registers.size(), b.Registers.size());
    for (std::size_t i = 0; i < common; ++i) {
        const RegisterEntry& ea = a.Registers[i];
        const RegisterEntry& eb = b.Registers[i];
        if (ea.Name != eb.Name) {
            body += "    register " + std::to_string(i) + ": " + ea.Name + " " + Hex(ea.Value) +
                    " -> " + eb.Name + " " + Hex(eb.Value) + "\n";
            continue;
        }
        RegisterChange(body, ea, eb);
    }
    for (std::size_t i = common; i < a.Registers.size(); ++i)
        body += "    " + a.Registers[i].Name + "  " + Hex(a.Registers[i].Value) + "  (removed)\n";
    for (std::size_t i = common; i < b.Registers.size(); ++i)
        body += "    " + b.Registers[i].Name + "  " + Hex(b.Registers[i].Value) + "  (added)\n";
    TextChange(body, "C foot", a.CFoot, b.CFoot);
    TextChange(body, "assembly foot", a.AsmFoot, b.AsmFoot);
    if (!body.empty()) out += Routine(b, key) + ":\n" + body;
}

template <typename T>
void WordChange(std::string& out, const char* what, const T& a, const T& b) {
    if (!(a == b)) out += std::string(what) + ": " + a + " -> " + b + "\n";
}

}  // namespace

std::string Describe(const CDeviceDocument& a, const CDeviceDocument& b, const std::string& nameA,
                     const std::string& nameB) {
    std::string out;
    WordChange(out, "model", Model(a.DeviceCode), Model(b.DeviceCode));
    const std::pair<const char*, std::uint32_t CDeviceDocument::*> clocks[] = {
        {"SysclkFrequency", &CDeviceDocument::SysclkFrequency},
        {"IntOscFrequency", &CDeviceDocument::IntOscFrequency},
        {"LfOscFrequency", &CDeviceDocument::LfOscFrequency},
        {"ExtOscFrequency", &CDeviceDocument::ExtOscFrequency},
        {"EciFrequency", &CDeviceDocument::EciFrequency},
    };
    for (const auto& [name, word] : clocks)
        WordChange(out, name, std::to_string(a.*word), std::to_string(b.*word));
    WordChange(out, "IncludeName", a.DeviceData.IncludeName, b.DeviceData.IncludeName);
    WordChange(out, "CodeFormat", Format(a.DeviceData.CodeFormat), Format(b.DeviceData.CodeFormat));

    std::set<PeripheralId> keys;
    for (const auto& [key, r] : a.DeviceData.Peripherals)
        keys.insert(key);
    for (const auto& [key, r] : b.DeviceData.Peripherals)
        keys.insert(key);
    for (PeripheralId key : keys) {
        const auto ia = a.DeviceData.Peripherals.find(key);
        const auto ib = b.DeviceData.Peripherals.find(key);
        if (ia == a.DeviceData.Peripherals.end())
            out += Routine(ib->second, key) + ": only in " + nameB + "\n";
        else if (ib == b.DeviceData.Peripherals.end())
            out += Routine(ia->second, key) + ": only in " + nameA + "\n";
        else
            RecordChange(out, key, ia->second, ib->second);
    }
    return out;
}

}  // namespace projectdiff
