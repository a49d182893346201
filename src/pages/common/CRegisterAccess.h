#pragma once
// Register access shared by every page: bit, field and hexadecimal operations
// on the working copy of the record a page edits, and the preview text. No Qt.

#include <cstdint>
#include <string>

#include "model/PeripheralRecord.h"

class CDeviceDocument;

class CRegisterAccess {
public:
    virtual ~CRegisterAccess() = default;

    // The working copy the page edits (owned by the hosting command).
    void SetRecord(PeripheralRecord* record) { record_ = record; }
    PeripheralRecord* Record() const { return record_; }
    // The project the page belongs to (the hosting command sets it).
    void SetActiveDocument(CDeviceDocument* doc) { doc_ = doc; }
    CDeviceDocument* ActiveDocument() const { return doc_; }
    // DeviceCode of the active project, 0 when there is none.
    int DeviceCode() const;

    // Value |= mask when on is non-zero, else Value &= ~mask.
    void SetBits(int on, int position, std::uint8_t mask);
    // (Value & mask) != 0.
    bool TestBits(int position, std::uint8_t mask) const;
    // Value = (Value & ~clearMask) | value (value already shifted into place).
    void SetField(int position, std::uint8_t clearMask, std::uint8_t value);
    // "%02X" of (Value & mask) >> shift.
    std::string FieldHex(int position, std::uint8_t mask, int shift) const;
    // The C write lines the record would produce: its routine body less the prologue.
    std::string PreviewText() const;

    std::uint8_t& Value(int position) { return record_->Registers[static_cast<std::size_t>(position)].Value; }
    std::uint8_t Value(int position) const {
        return record_->Registers[static_cast<std::size_t>(position)].Value;
    }
    // Puts the entry at `position` back to its reset value.
    void ResetRegister(int position);
    // Puts every entry of the record back to its reset value.
    void ResetAllRegisters();

    // The number written in hexadecimal in the first `width` characters of
    // the (trimmed, zero-padded) text; only 1-9 and upper-case A-F count.
    static std::uint32_t ParseHex(const std::string& text, int width);
    // Checks (and shortens) a typed hexadecimal text; reports through the UI
    // service and returns 0 when something had to be refused, else 1.
    static int ValidateHex(std::string& text, int maxLength);

private:
    PeripheralRecord* record_ = nullptr;
    CDeviceDocument* doc_ = nullptr;
};
