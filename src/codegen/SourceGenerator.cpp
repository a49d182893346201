#include "codegen/SourceGenerator.h"

#include <cstdio>

#include "model/DeviceData.h"

namespace codegen {
namespace {

// Names shorter than ten characters are padded to ten.
std::string Pad(const std::string& name) {
    const auto n = name.size();
    return n < 10 ? std::string(10 - n, ' ') : std::string();
}

std::string Hex2(unsigned value) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X", value & 0xFFu);
    return buf;
}

void Line(std::string& out, const char* text) {
    out += text;
    out += kCrLf;
}

}  // namespace

void AppendCWrite(std::string& out, const RegisterEntry& entry) {
    out += entry.CPre;
    out += "    ";
    out += entry.Name;
    out += Pad(entry.Name);
    out += entry.OrWrite != 0 ? "|= " : "= ";
    out += "0x";
    out += Hex2(entry.Value);
    out += ";";
    out += kCrLf;
    out += entry.CPost;
}

void AppendAsmWrite(std::string& out, const RegisterEntry& entry) {
    out += entry.AsmPre;
    out += entry.OrWrite != 0 ? "    orl  " : "    mov  ";
    out += entry.Name;
    out += ",";
    out += Pad(entry.Name);
    out += "#0";
    out += Hex2(entry.Value);
    out += "h";
    out += kCrLf;
    out += entry.AsmPost;
}

std::string CWriteLines(const PeripheralRecord& record) {
    std::string out;
    for (const auto& entry : record.Registers)
        if (entry.IsWritten()) AppendCWrite(out, entry);
    return out;
}

std::string CallNameFromHead(const std::string& cHead) {
    if (cHead.size() <= 8) return {};
    return cHead.substr(5, cHead.size() - 8);
}

std::string CallNameFromLabel(const std::string& asmLabel) {
    if (asmLabel.size() <= 3) return {};
    return asmLabel.substr(0, asmLabel.size() - 3);
}

}  // namespace codegen

using namespace codegen;

void CDeviceData::GenerateSource(std::string& text) const {
    const bool c = CodeFormat == 0;
    std::string routines;
    std::string calls;
    bool any = false;
    for (const auto& [key, rec] : Peripherals) {
        if (!rec.IsWritten()) continue;
        any = true;
        if (c) {
            routines += rec.CHead;
            routines += kCrLf;
            routines += rec.CPrologue;
            for (const auto& e : rec.Registers)
                if (e.IsWritten()) AppendCWrite(routines, e);
            routines += rec.CFoot;
            routines += kCrLf;
            routines += kCrLf;
            calls += "    " + CallNameFromHead(rec.CHead) + ";" + kCrLf;
        } else {
            routines += rec.AsmLabel;
            routines += rec.AsmPrologue;
            for (const auto& e : rec.Registers)
                if (e.IsWritten()) AppendAsmWrite(routines, e);
            routines += rec.AsmFoot;
            routines += kCrLf;
            routines += kCrLf;
            calls += "    lcall " + CallNameFromLabel(rec.AsmLabel) + kCrLf;
        }
    }

    if (c) {
        Line(text, "/////////////////////////////////////");
        Line(text, "//  Generated Initialization File  //");
        Line(text, "/////////////////////////////////////");
        Line(text, "");
        text += "#include \"" + IncludeName + ".h\"" + kCrLf;
        Line(text, "");
        if (any) {
            Line(text, "// Peripheral specific initialization functions,");
            Line(text, "// Called from the Init_Device() function");
            text += routines;
        }
        Line(text, "// Initialization function for device,");
        Line(text, "// Call Init_Device() from your main program");
        Line(text, "void Init_Device(void)");
        Line(text, "{");
        text += calls;
        Line(text, "}");
        if (!any) {
            Line(text, "");
            Line(text, "// Empty configuration");
            Line(text, "");
            Line(text, "// Open the \"Peripherals\" menu and");
            Line(text, "// choose a peripheral to configure.");
        }
    } else {
        Line(text, ";------------------------------------");
        Line(text, ";-  Generated Initialization File  --");
        Line(text, ";------------------------------------");
        Line(text, "");
        text += "$include (" + IncludeName + ".inc)" + kCrLf;
        Line(text, "");
        Line(text, "public  Init_Device");
        Line(text, "");
        Line(text, "INIT SEGMENT CODE");
        Line(text, "    rseg INIT");
        Line(text, "");
        if (any) {
            Line(text, "; Peripheral specific initialization functions,");
            Line(text, "; Called from the Init_Device label");
            text += routines;
        }
        Line(text, "; Initialization function for device,");
        Line(text, "; Call Init_Device from your main program");
        Line(text, "Init_Device:");
        text += calls;
        Line(text, "    ret");
        Line(text, "");
        Line(text, "end");
        if (!any) {
            Line(text, "");
            Line(text, "; Empty configuration");
            Line(text, "");
            Line(text, "; Open the \"Peripherals\" menu and");
            Line(text, "; choose a peripheral to configure.");
        }
    }
}
