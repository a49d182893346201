#pragma once
// Register-level model of one chip's peripherals: one record per generated
// initialisation routine, each holding the register write lines in output order.

#include <cstdint>
#include <string>
#include <vector>

using PeripheralId = std::int32_t;

// One register write line of a routine.
struct RegisterEntry {
    std::int32_t Index = 0;
    std::string Name;
    std::string CPre;
    std::string AsmPre;
    std::string CPost;
    std::string AsmPost;
    std::uint8_t Value = 0;
    std::uint8_t ResetValue = 0;
    std::int32_t OrWrite = 0;
    std::int32_t ForceWrite = 0;

    // An entry takes part in the output when it differs from the reset value
    // or is forced.
    bool IsWritten() const { return Value != ResetValue || ForceWrite != 0; }

    bool operator==(const RegisterEntry&) const = default;
};

// One initialisation routine: its frame texts and its register entries.
struct PeripheralRecord {
    PeripheralId Id = 0;
    std::string CHead;
    std::string AsmLabel;
    std::string CPrologue;
    std::string AsmPrologue;
    std::vector<RegisterEntry> Registers;
    std::string CFoot;
    std::string AsmFoot;

    // A record produces a routine only when at least one entry is written.
    bool IsWritten() const;

    bool operator==(const PeripheralRecord&) const = default;
};

// Peripheral ids: also the order of routines and calls in the generated file.
namespace Pid {
inline constexpr PeripheralId ResetSources = 0;
inline constexpr PeripheralId Pca = 1;
inline constexpr PeripheralId Timers = 2;
inline constexpr PeripheralId Uart = 3;
inline constexpr PeripheralId Smbus = 4;
inline constexpr PeripheralId Spi = 5;
inline constexpr PeripheralId Adc = 6;
inline constexpr PeripheralId Emi = 7;
inline constexpr PeripheralId Comparators = 8;
inline constexpr PeripheralId ComparatorResetSource = 9;
inline constexpr PeripheralId VoltageReference = 10;
inline constexpr PeripheralId VoltageRegulator = 11;
inline constexpr PeripheralId Prefetch = 12;
inline constexpr PeripheralId PortIO = 13;
inline constexpr PeripheralId Oscillator = 14;
inline constexpr PeripheralId Interrupts = 15;
}  // namespace Pid
