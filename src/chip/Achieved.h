#pragma once
// The calculators' live result line: what the value a calculator would offer
// actually gives, and how far that is from the target.

#include <cstdint>
#include <optional>
#include <string>

// "Achieved: 9615 bps (+0.16 %)": `achieved` with `decimals` places, the unit,
// and the deviation from `target` in percent with a sign and two places.
// A target of 0 gives the rate alone.
std::string AchievedText(double achieved, double target, const std::string& unit, int decimals = 0);

// The result line when there is nothing to show, saying why:
// "Achieved: - (no target)".
std::string NoAchievedText(const std::string& reason);
// The reasons the calculators give.
inline constexpr const char* kNoTarget = "no target";
inline constexpr const char* kNotANumberReason = "the target is not a number";
// "no clock: SYSCLK is 0 Hz"
std::string NoClockReason(const std::string& clock);

// What the OK of a divider calculator (SAR clock, SCK) does with its fields:
// refuse with `error`, or ask `question` and, on Yes, write `value`.
struct DividerOffer {
    std::string error;
    std::string question;
    std::uint8_t value = 0;

    static DividerOffer Refusal(const char* error) { return {error, {}, 0}; }
};

// A divider calculator's fields: the system clock and the target, each
// nothing when its text is not an unsigned number.
struct DividerFields {
    std::optional<std::uint32_t> sysclk;
    std::optional<std::uint32_t> target;
};
