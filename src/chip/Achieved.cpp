#include "chip/Achieved.h"

#include <cmath>
#include <cstdio>

std::string AchievedText(double achieved, double target, const std::string& unit, int decimals) {
    char buf[160];
    if (!std::isfinite(achieved)) return "Achieved: -";
    if (target == 0 || !std::isfinite(target)) {
        std::snprintf(buf, sizeof buf, "Achieved: %.*f %s", decimals, achieved, unit.c_str());
        return buf;
    }
    double error = (achieved - target) / target * 100.0;
    // A deviation that prints as zero is shown without a sign flip to "-0.00".
    if (std::fabs(error) < 0.005) error = 0.0;
    std::snprintf(buf, sizeof buf, "Achieved: %.*f %s (%+.2f %%)", decimals, achieved, unit.c_str(), error);
    return buf;
}

std::string NoAchievedText(const std::string& reason) { return "Achieved: - (" + reason + ")"; }

std::string NoClockReason(const std::string& clock) { return "no clock: " + clock + " is 0 Hz"; }
