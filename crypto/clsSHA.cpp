#include "crypto/clsSHA.h"

#include "crypto/wipe.h"
#include "text/codepage.h"

#include <cstring>

namespace {

constexpr std::size_t kBlockSize = 64;
constexpr std::size_t kLengthField = 8;
using Digest20 = std::array<std::uint8_t, 20>;

constexpr std::uint32_t RotateLeft(std::uint32_t x, int n) {
    return (x << n) | (x >> (32 - n));
}

std::uint32_t BigEndian(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// One 64-byte block through the 80 steps of FIPS 180-1; `w` is the caller's message schedule (wiped by
// the caller once the message is done).
void Compress(std::uint32_t (&h)[5], const std::uint8_t* block, std::uint32_t (&w)[80]) {
    for (int t = 0; t < 16; ++t)
        w[t] = BigEndian(block + 4 * t);
    for (int t = 16; t < 80; ++t)
        w[t] = RotateLeft(w[t - 3] ^ w[t - 8] ^ w[t - 14] ^ w[t - 16], 1);

    std::uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4];
    const auto step = [&](int t, std::uint32_t f, std::uint32_t k) {
        const std::uint32_t temp = RotateLeft(a, 5) + f + e + w[t] + k;
        e = d;
        d = c;
        c = RotateLeft(b, 30);
        b = a;
        a = temp;
    };
    for (int t = 0; t < 20; ++t)
        step(t, (b & c) | (~b & d), 0x5A827999u);
    for (int t = 20; t < 40; ++t)
        step(t, b ^ c ^ d, 0x6ED9EBA1u);
    for (int t = 40; t < 60; ++t)
        step(t, (b & c) | (b & d) | (c & d), 0x8F1BBCDCu);
    for (int t = 60; t < 80; ++t)
        step(t, b ^ c ^ d, 0xCA62C1D6u);
    h[0] += a;
    h[1] += b;
    h[2] += c;
    h[3] += d;
    h[4] += e;
}

// SHA-1 with the length field holding `bitCount` (the caller decides how it is formed).
Digest20 Sha1(std::span<const std::uint8_t> message, std::uint64_t bitCount) {
    std::uint32_t h[5] = {0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u, 0xC3D2E1F0u};
    std::uint32_t w[80];

    std::size_t whole = message.size() - message.size() % kBlockSize;
    for (std::size_t offset = 0; offset < whole; offset += kBlockSize)
        Compress(h, message.data() + offset, w);

    // The last partial block, the 0x80 marker, zeros and the length field: one or two blocks.
    std::uint8_t tail[2 * kBlockSize] = {};
    const std::size_t rest = message.size() - whole;
    if (rest > 0)
        std::memcpy(tail, message.data() + whole, rest);
    tail[rest] = 0x80;
    const std::size_t tailSize = rest + 1 + kLengthField <= kBlockSize ? kBlockSize : 2 * kBlockSize;
    for (std::size_t i = 0; i < kLengthField; ++i)
        tail[tailSize - 1 - i] = static_cast<std::uint8_t>(bitCount >> (8 * i));
    for (std::size_t offset = 0; offset < tailSize; offset += kBlockSize)
        Compress(h, tail + offset, w);
    crypto_detail::Wipe(tail, sizeof tail);
    crypto_detail::Wipe(w, sizeof w);

    Digest20 digest;
    for (int i = 0; i < 5; ++i)
        for (int b = 0; b < 4; ++b)
            digest[4 * i + b] = static_cast<std::uint8_t>(h[i] >> (24 - 8 * b));
    return digest;
}

// The digest of a text as the program takes it: its Windows-1252 bytes, with a length field that holds
// the bit count modulo 2^32 (the standard's for every text below 2^29 characters). The message, which
// is normally a password, is wiped from the caller's variable and from the byte copy.
Digest20 TextDigest(std::string& inMessage) {
    std::string bytes = codepage::ToAnsi(inMessage);
    const auto bitCount = static_cast<std::uint32_t>(static_cast<std::uint64_t>(bytes.size()) * 8);
    const Digest20 digest =
        Sha1(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), bitCount);
    crypto_detail::Wipe(bytes.data(), bytes.size());
    crypto_detail::Wipe(inMessage.data(), inMessage.size());
    inMessage.clear();
    return digest;
}

} // namespace

std::array<std::uint8_t, 20> clsSHA::Digest(std::span<const std::uint8_t> message) {
    return Sha1(message, static_cast<std::uint64_t>(message.size()) * 8);
}

std::string clsSHA::SHA1(std::string& inMessage) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (std::uint8_t byte : TextDigest(inMessage)) {
        text += kHex[byte >> 4];
        text += kHex[byte & 0x0F];
    }
    return text;
}

std::string clsSHA::SHA1_string(std::string& inMessage) {
    const Digest20 digest = TextDigest(inMessage);
    return codepage::FromAnsi(std::string_view(reinterpret_cast<const char*>(digest.data()), digest.size()));
}
