#include "pages/common/CRegisterAccess.h"

#include <cmath>
#include <cstdio>

#include "codegen/SourceGenerator.h"
#include "model/DeviceDocument.h"
#include "model/Ui.h"

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string Trimmed(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsSpace(s[b])) ++b;
    while (e > b && IsSpace(s[e - 1])) --e;
    return s.substr(b, e - b);
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

}  // namespace

int CRegisterAccess::DeviceCode() const { return doc_ ? doc_->DeviceCode : 0; }

void CRegisterAccess::SetBits(int on, int position, std::uint8_t mask) {
    if (on)
        Value(position) |= mask;
    else
        Value(position) &= static_cast<std::uint8_t>(~mask);
}

bool CRegisterAccess::TestBits(int position, std::uint8_t mask) const {
    return (Value(position) & mask) != 0;
}

void CRegisterAccess::SetField(int position, std::uint8_t clearMask, std::uint8_t value) {
    Value(position) = static_cast<std::uint8_t>((Value(position) & ~clearMask) | value);
}

std::string CRegisterAccess::FieldHex(int position, std::uint8_t mask, int shift) const {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned>((Value(position) & mask) >> shift));
    return buf;
}

std::string CRegisterAccess::PreviewText() const {
    return record_ ? codegen::CWriteLines(*record_) : std::string();
}

void CRegisterAccess::ResetRegister(int position) {
    auto& e = record_->Registers[static_cast<std::size_t>(position)];
    e.Value = e.ResetValue;
}

void CRegisterAccess::ResetAllRegisters() {
    for (auto& e : record_->Registers) e.Value = e.ResetValue;
}

std::uint32_t CRegisterAccess::ParseHex(const std::string& input, int width) {
    if (width < 1) return 0;
    std::string text = Trimmed(input);
    while (text.size() < static_cast<std::size_t>(width)) text.insert(text.begin(), '0');
    double sum = 0;
    for (int i = width - 1; i >= 0; --i) {
        const char c = text[static_cast<std::size_t>(i)];
        int digit = 0;
        if (c >= '1' && c <= '9') digit = c - '0';
        else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        sum = std::trunc(sum + digit * std::pow(16.0, width - 1 - i));
    }
    // Wider texts than eight digits wrap like the 32-bit result they fill.
    return static_cast<std::uint32_t>(std::fmod(sum, 4294967296.0));
}

int CRegisterAccess::ValidateHex(std::string& text, int maxLength) {
    if (text.empty()) return 1;
    text = Trimmed(text);
    if (maxLength >= 0 && text.size() > static_cast<std::size_t>(maxLength)) {
        text.resize(static_cast<std::size_t>(maxLength));
        TheUi().Error("Error: Exceeded Size For Initial Value.");
        return 0;
    }
    int result = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsHexDigit(text[i])) {
            // The character just typed is the last one: take it back.
            text.pop_back();
            TheUi().Error("Error: Invalid HEX Character.");
            result = 0;
        }
    }
    return result;
}
