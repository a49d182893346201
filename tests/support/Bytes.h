#pragma once
// Test-side byte building, written independently of the project writer so
// that file layouts are checked against a second implementation.

#include <cstdint>
#include <string>
#include <vector>

namespace testing_bytes {

class Bytes {
public:
    Bytes& u8(unsigned v) {
        b.push_back(static_cast<std::uint8_t>(v));
        return *this;
    }
    Bytes& u16(unsigned v) { return u8(v & 0xFF).u8((v >> 8) & 0xFF); }
    Bytes& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    Bytes& i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
    Bytes& raw(const std::string& s) {
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    // Current text encoding: byte length, or 255 + 16-bit, or 255 FFFF + 32-bit.
    Bytes& str(const std::string& s) {
        if (s.size() < 255) return u8(static_cast<unsigned>(s.size())).raw(s);
        if (s.size() < 65534) return u8(255).u16(static_cast<unsigned>(s.size())).raw(s);
        return u8(255).u16(0xFFFF).u32(static_cast<std::uint32_t>(s.size())).raw(s);
    }
    // One length byte and the characters (files 1.4 to 1.40).
    Bytes& short_str(const std::string& s) { return u8(static_cast<unsigned>(s.size())).raw(s); }
    // An extra 32-bit length before a current-encoded text (files 1.0 to 1.3).
    Bytes& long_str(const std::string& s) {
        return i32(static_cast<std::int32_t>(s.size())).str(s);
    }

    std::vector<std::uint8_t> b;
};

}  // namespace testing_bytes
