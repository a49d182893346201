#pragma once
// Formatting of generated initialisation code. CDeviceData::GenerateSource
// builds the whole file; the helpers below are shared with the page previews.

#include <string>

#include "model/PeripheralRecord.h"

namespace codegen {

inline constexpr const char* kCrLf = "\r\n";

// Appends CPre, the C write line of the entry and CPost.
void AppendCWrite(std::string& out, const RegisterEntry& entry);

// Appends AsmPre, the assembly write line of the entry and AsmPost.
void AppendAsmWrite(std::string& out, const RegisterEntry& entry);

// The C write lines of every written entry of the record, in list order:
// the body of its C routine less the prologue.
std::string CWriteLines(const PeripheralRecord& record);

// Routine name with "()" taken from a C head ("void X()\r\n{" gives "X()").
std::string CallNameFromHead(const std::string& cHead);

// Label without ":" CR LF ("X:\r\n" gives "X").
std::string CallNameFromLabel(const std::string& asmLabel);

}  // namespace codegen
