#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Byte arrays for known-answer tests, written as text or as hex digits.
namespace test_bytes {

inline std::vector<std::uint8_t> FromText(const std::string& text) {
    return {text.begin(), text.end()};
}

inline std::vector<std::uint8_t> FromHex(const std::string& hex) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

} // namespace test_bytes
