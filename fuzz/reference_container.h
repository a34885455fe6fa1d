#pragma once

// The container's cipher and checksum written out the plainest way, apart from the program's own code,
// so that the batch fuzzers can tell what a container holds and what a container of some bytes is
// without asking the code they test.

#include "core/container.h"
#include "text/codepage.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

// The harness's own loops are left out of the coverage count: they are not what is explored, and
// counting every byte of them would slow each run several times over.
#if defined(__clang__)
#define HARNESS_UNCOUNTED __attribute__((no_sanitize("coverage")))
#else
#define HARNESS_UNCOUNTED
#endif

namespace reference {

// RC4 over each block of the container's data, the keystream restarted at every block; an empty key
// leaves the bytes as they are.
HARNESS_UNCOUNTED inline void TransformData(std::vector<std::uint8_t>& data, const std::string& password) {
    const std::string key = codepage::ToAnsi(container::TrimSpaces(password));
    if (key.empty())
        return;
    for (std::size_t start = 0; start < data.size(); start += container::BlockSize) {
        std::uint8_t s[256];
        for (int i = 0; i < 256; ++i)
            s[i] = static_cast<std::uint8_t>(i);
        for (int i = 0, j = 0; i < 256; ++i) {
            j = (j + s[i] + static_cast<std::uint8_t>(key[static_cast<std::size_t>(i) % key.size()])) & 0xFF;
            std::swap(s[i], s[j]);
        }
        const std::size_t end = std::min(data.size(), start + container::BlockSize);
        std::uint8_t* bytes = data.data();
        for (std::size_t n = start, i = 0, j = 0; n < end; ++n) {
            i = (i + 1) & 0xFF;
            j = (j + s[i]) & 0xFF;
            std::swap(s[i], s[j]);
            bytes[n] ^= s[(s[i] + s[j]) & 0xFF];
        }
    }
}

// CRC-32 (the ISO-HDLC one of zip and PNG), a byte at a time through a table made bit by bit.
HARNESS_UNCOUNTED inline std::uint32_t Crc32(const std::vector<std::uint8_t>& data) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int bit = 0; bit < 8; ++bit)
                c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    const std::uint8_t* bytes = data.data();
    const std::uint32_t* entries = table.data();
    for (std::size_t n = 0; n < data.size(); ++n)
        crc = (crc >> 8) ^ entries[(crc ^ bytes[n]) & 0xFF];
    return ~crc;
}

// The checksum field for these plain bytes: 8 upper-case hex digits, zeros for 0 or 1 byte.
inline std::string ChecksumText(const std::vector<std::uint8_t>& plain) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", plain.size() < 2 ? 0u : Crc32(plain));
    return text;
}

// A container of plain under password, with the given checksum field.
inline std::vector<std::uint8_t> Container(const std::vector<std::uint8_t>& plain,
                                           const std::string& password, const std::string& checksumField) {
    // Most containers of a run share a password: its digest is made once.
    static std::string lastPassword, lastDigest;
    if (lastDigest.empty() || password != lastPassword) {
        lastPassword = password;
        lastDigest = container::PasswordDigest(password);
    }
    const auto header = container::ComposeHeader(checksumField, lastDigest);
    std::vector<std::uint8_t> data = plain;
    TransformData(data, password);
    std::vector<std::uint8_t> bytes(header.begin(), header.end());
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

} // namespace reference
