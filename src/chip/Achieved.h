#pragma once
// The calculators' live result line: what the value a calculator would offer
// actually gives, and how far that is from the target.

#include <string>

// "Achieved: 9615 bps (+0.16 %)": `achieved` with `decimals` places, the unit,
// and the deviation from `target` in percent with a sign and two places.
// A target of 0 gives the rate alone.
std::string AchievedText(double achieved, double target, const std::string& unit, int decimals = 0);
