#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

// SHA-1 (FIPS 180-1) of a text taken as Windows-1252 bytes, one per character.
class clsSHA {
public:
    // The digest as 40 upper-case hexadecimal digits. Empties inMessage.
    std::string SHA1(std::string& inMessage);
    // The digest as 20 characters, character n being the Windows-1252 character of digest byte n
    // (returned as UTF-8). Empties inMessage.
    std::string SHA1_string(std::string& inMessage);

    // The digest of raw bytes.
    static std::array<std::uint8_t, 20> Digest(std::span<const std::uint8_t> message);
};
