#pragma once
// Bounds-checked little-endian streams for the project file. Reading past the
// end, or a length larger than the bytes left, sets a failure flag and yields
// zero/empty values; nothing throws and nothing is allocated for a length that
// cannot be satisfied.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class ByteWriter {
public:
    void U8(std::uint8_t v) { bytes_.push_back(v); }
    void U16(std::uint16_t v);
    void U32(std::uint32_t v);
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void Raw(const std::string& chars) { bytes_.insert(bytes_.end(), chars.begin(), chars.end()); }
    // Length-prefixed text: one byte below 255, else 255 + 16-bit length up
    // to 65533, else 255 + 0xFFFF + 32-bit length.
    void String(const std::string& s);

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

    std::uint8_t U8();
    std::uint16_t U16();
    std::uint32_t U32();
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    // Exactly n characters, or failure when fewer are left.
    std::string Chars(std::uint64_t n);
    // A text in any of the three length-prefixed forms.
    std::string String();
    // One length byte and that many characters.
    std::string ShortString() { return Chars(U8()); }

    std::size_t Remaining() const { return failed_ ? 0 : data_.size() - pos_; }
    std::size_t Position() const { return pos_; }
    bool Failed() const { return failed_; }
    void Fail() { failed_ = true; }
    // Fails unless `count` items of at least `minBytes` each can still fit.
    bool CanHold(std::int64_t count, std::size_t minBytes);

private:
    bool Need(std::size_t n);

    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};
