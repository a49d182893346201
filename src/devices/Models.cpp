#include "devices/Models.h"

#include <cctype>

namespace models {

std::string NameOf(int deviceCode) {
    if (!IsModelCode(deviceCode)) return {};
    return "Q7R2" + std::to_string(deviceCode - kFirstCode);
}

std::optional<int> ModelFromName(const std::string& name) {
    if (name.size() != 5) return std::nullopt;
    std::string upper;
    for (char ch : name) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    if (upper.compare(0, 4, "Q7R2") != 0 || upper[4] < '0' || upper[4] > '7') return std::nullopt;
    return upper[4] - '0';
}

}  // namespace models
