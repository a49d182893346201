#include "model/ByteStream.h"

void ByteWriter::U16(std::uint16_t v) {
    U8(static_cast<std::uint8_t>(v));
    U8(static_cast<std::uint8_t>(v >> 8));
}

void ByteWriter::U32(std::uint32_t v) {
    U16(static_cast<std::uint16_t>(v));
    U16(static_cast<std::uint16_t>(v >> 16));
}

void ByteWriter::String(const std::string& s) {
    const auto n = s.size();
    if (n < 255) {
        U8(static_cast<std::uint8_t>(n));
    } else if (n <= 65533) {
        U8(255);
        U16(static_cast<std::uint16_t>(n));
    } else {
        U8(255);
        U16(0xFFFF);
        U32(static_cast<std::uint32_t>(n));
    }
    Raw(s);
}

bool ByteReader::Need(std::size_t n) {
    if (failed_ || data_.size() - pos_ < n) {
        failed_ = true;
        return false;
    }
    return true;
}

std::uint8_t ByteReader::U8() {
    if (!Need(1)) return 0;
    return data_[pos_++];
}

std::uint16_t ByteReader::U16() {
    if (!Need(2)) return 0;
    const std::uint16_t v = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
}

std::uint32_t ByteReader::U32() {
    if (!Need(4)) return 0;
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | data_[pos_ + static_cast<std::size_t>(i)];
    pos_ += 4;
    return v;
}

std::string ByteReader::Chars(std::uint64_t n) {
    if (failed_ || n > data_.size() - pos_) {
        failed_ = true;
        return {};
    }
    std::string s(reinterpret_cast<const char*>(data_.data() + pos_), static_cast<std::size_t>(n));
    pos_ += static_cast<std::size_t>(n);
    return s;
}

std::string ByteReader::String() {
    std::uint64_t n = U8();
    if (n == 255) {
        n = U16();
        if (n == 0xFFFE) {  // never written by any version: not a project file
            failed_ = true;
            return {};
        }
        if (n == 0xFFFF) n = U32();
    }
    return Chars(n);
}

bool ByteReader::CanHold(std::int64_t count, std::size_t minBytes) {
    if (failed_ || count < 0 ||
        static_cast<std::uint64_t>(count) * minBytes > data_.size() - pos_) {
        failed_ = true;
        return false;
    }
    return true;
}
