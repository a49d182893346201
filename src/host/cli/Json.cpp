#include "host/cli/Json.h"

#include "host/cli/Io.h"

namespace cli {

std::string Utf8(const std::string& latin1) {
    std::string out;
    out.reserve(latin1.size());
    for (const char ch : latin1) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

bool WriteJson(const Json& json) {
    return WriteOutput("-", json.dump(2) + "\n");
}

}  // namespace cli
