#pragma once
// The PCA record as the PCA pages see it: each module's registers, the watchdog
// state kept in the code texts of PCA0CPL4, and the rule that decides
// whether PCA0MD and PCA0CPL4 must be written even at their reset values.
// No Qt.

#include <cstdint>

#include "devices/Registers.h"
#include "model/PeripheralRecord.h"

namespace pca {

// Positions of module n's (0 .. 4) mode, low and high compare registers.
constexpr int Cpm(int module) {
    return PcaReg::PCA0CPM0 + module;
}
constexpr int Cpl(int module) {
    return PcaReg::PCA0CPL0 + module;
}
constexpr int Cph(int module) {
    return PcaReg::PCA0CPH0 + module;
}

// PCA0MD bits.
inline constexpr std::uint8_t kSuspendIdle = 0x80;
inline constexpr std::uint8_t kWatchdogLock = 0x20;
inline constexpr std::uint8_t kOverflowInterrupt = 0x01;
// PCA0CN counter run.
inline constexpr std::uint8_t kCounterRun = 0x40;

// PCA0CPMn modes (the register without bit 0, the CCF interrupt enable).
inline constexpr std::uint8_t kModeNone = 0x00;
inline constexpr std::uint8_t kModeFrequencyOutput = 0x46;
inline constexpr std::uint8_t kModePwm8 = 0x42;
inline constexpr std::uint8_t kModePwm16 = 0xC2;

enum class Watchdog { Disabled, Enabled, Locked };

// The state the texts of PCA0CPL4 hold: empty CPost is disabled; a "2" at
// position 19 of CPost is locked.
Watchdog WatchdogState(const PeripheralRecord& record);
// Writes the texts of a state (the forms with the trailing ";").
void SetWatchdogTexts(PeripheralRecord& record, Watchdog state);

// The PCA0 page's rule: disabled: PCA0MD forced, PCA0CPL4 not; locked: both;
// else neither when PCA0MD, PCA0L, PCA0H and PCA0CPM4 are at reset, both otherwise.
void ApplyPca0WatchdogRule(PeripheralRecord& record);
// The Module 4/WDT page's rule, from its two check boxes: as the PCA0 page's,
// but PCA0CPL4 must be at reset too and PCA0CPM4 may differ in bit 0.
void ApplyModule4WatchdogRule(PeripheralRecord& record, bool enabled, bool locked);

// Every page's Reset: all registers back to their reset values, the watchdog
// enabled and unlocked, both flags cleared.
void ResetPcaRecord(PeripheralRecord& record);

}  // namespace pca
