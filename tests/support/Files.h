// Whole files as byte strings, for tests that write inputs and read outputs.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace testing_files {

inline std::string Slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void Spit(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

inline void Spit(const std::filesystem::path& p, const std::vector<std::uint8_t>& bytes) {
    Spit(p, std::string(bytes.begin(), bytes.end()));
}

}  // namespace testing_files
