#include "crypto/clsSHA.h"
#include "text/codepage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::string Sha1Hex(const std::string& text) {
    std::string message = text;
    return clsSHA().SHA1(message);
}

TEST(Sha1, KnownAnswers) {
    struct Case {
        std::string text, digest;
    };
    const Case cases[] = {
        // FIPS 180-1 / FIPS 180-2 appendix examples and RFC 3174 section 7.3.
        {"abc", "A9993E364706816ABA3E25717850C26C9CD0D89D"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "84983E441C3BD26EBAAE4AA1F95129E5E54670F1"},
        {std::string(1000000, 'a'), "34AA973CD4C4DAA4F61EEB2BDBAD27316534016F"},
        {[] {
             std::string t;
             for (int i = 0; i < 10; ++i)
                 t += "0123456701234567012345670123456701234567012345670123456701234567";
             return t;
         }(),
         "DEA356A2CDDD90C7A7ECEDC5EBB563934F460452"},
        // The digest of zero bytes (one padding block).
        {"", "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709"},
        // Computed with coreutils sha1sum: one 64-character text, and texts of 'a' around the block
        // boundaries (55 bytes fit one block with the padding, 56 to 119 need two).
        {"0123456701234567012345670123456701234567012345670123456701234567",
         "E0C094E867EF46C350EF54A7F59DD60BED92AE83"},
        {std::string(55, 'a'), "C1C8BBDC22796E28C0E15163D20899B65621D65A"},
        {std::string(56, 'a'), "C2DB330F6083854C99D4B5BFB6E8F29F201BE699"},
        {std::string(63, 'a'), "03F09F5B158A7A8CDAD920BDDC29B81C18A551F5"},
        {std::string(64, 'a'), "0098BA824B5C16427BD7A1122A5A442A25EC644D"},
        {std::string(65, 'a'), "11655326C708D70319BE2610E8A57D9A5B959D3B"},
        {std::string(119, 'a'), "EE971065AAA017E0632A8CA6C77BB3BF8B1DFC56"},
        {std::string(120, 'a'), "F34C1488385346A55709BA056DDD08280DD4C6D6"},
        {std::string(5000, 'a'), "6AA9BF7DF2242EF867558584C02160023A96F2F9"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Sha1Hex(c.text), c.digest) << c.text.size() << " characters";
}

TEST(Sha1, TextIsDigestedAsWindows1252Bytes) {
    // "Käse" in UTF-8 is hashed as the four bytes 4B E4 73 65 (sha1sum of those bytes).
    EXPECT_EQ(Sha1Hex("K\xC3\xA4se"), "779982E457DD407EB761E897DA7B71C8A70B047A");
    const std::vector<std::uint8_t> bytes = {0x4B, 0xE4, 0x73, 0x65};
    const auto digest = clsSHA::Digest(bytes);
    EXPECT_EQ(digest[0], 0x77);
    EXPECT_EQ(digest[19], 0x7A);
}

TEST(Sha1, DigestStringHoldsTheDigestBytesAsWindows1252Characters) {
    std::string message = "abc";
    const std::string digestText = clsSHA().SHA1_string(message);
    // A9 99 3E 36 47 06 81 6A BA 3E 25 71 78 50 C2 6C 9C D0 D8 9D as Windows-1252 characters in UTF-8:
    // 0x99 is U+2122, 0x9C is U+0153, and the undefined 0x81 and 0x9D stand for U+0081 and U+009D.
    const std::string expected = "\xC2\xA9"
                                 "\xE2\x84\xA2"
                                 ">6G\x06"
                                 "\xC2\x81"
                                 "j"
                                 "\xC2\xBA"
                                 ">%qxP"
                                 "\xC3\x82"
                                 "l"
                                 "\xC5\x93"
                                 "\xC3\x90"
                                 "\xC3\x98"
                                 "\xC2\x9D";
    EXPECT_EQ(digestText, expected);
    EXPECT_EQ(codepage::CharCount(digestText), 20u);
    EXPECT_EQ(codepage::ToAnsi(digestText), std::string("\xA9\x99\x3E\x36\x47\x06\x81\x6A\xBA\x3E\x25\x71\x78"
                                                        "\x50\xC2\x6C\x9C\xD0\xD8\x9D",
                                                        20));
}

TEST(Sha1, BothFormsEmptyTheArgument) {
    clsSHA sha;
    std::string message = "password and salt";
    sha.SHA1(message);
    EXPECT_EQ(message, "");
    // Called again with the emptied variable, it digests the empty text.
    EXPECT_EQ(sha.SHA1(message), "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709");

    message = "abc";
    EXPECT_EQ(codepage::CharCount(sha.SHA1_string(message)), 20u);
    EXPECT_EQ(message, "");
}

TEST(Sha1, RepeatedCallsAndInstancesAgree) {
    clsSHA one, two;
    for (std::size_t n : {0u, 1u, 55u, 56u, 1023u, 1024u, 1025u, 4000u}) {
        const std::string text(n, static_cast<char>('A' + n % 26));
        std::string a = text, b = text, c = text;
        const std::string first = one.SHA1(a);
        EXPECT_EQ(one.SHA1(b), first);
        EXPECT_EQ(two.SHA1(c), first);
    }
}

TEST(Sha1, HexAndStringFormsAndDigestAgree) {
    for (std::size_t n : {0u, 3u, 64u, 200u, 3000u}) {
        std::string text;
        for (std::size_t i = 0; i < n; ++i)
            text += static_cast<char>(' ' + i % 95); // printable ASCII: the same bytes in any code page
        std::string forHex = text, forString = text;
        const std::string hex = clsSHA().SHA1(forHex);
        const std::string bytes = codepage::ToAnsi(clsSHA().SHA1_string(forString));
        const auto digest = clsSHA::Digest(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), n));
        ASSERT_EQ(bytes.size(), 20u);
        for (std::size_t i = 0; i < 20; ++i) {
            EXPECT_EQ(static_cast<std::uint8_t>(bytes[i]), digest[i]);
            EXPECT_EQ(std::stoi(hex.substr(2 * i, 2), nullptr, 16), digest[i]);
        }
    }
}

// The digest field is written through ToAnsi from SHA1_string's text; that text must give back exactly
// the digest bytes, whatever values they take.
TEST(Sha1, DigestTextGivesBackTheDigestBytes) {
    for (const std::string message : {"", "abc", "geheim{0}", "\xC3\xA4\xE2\x82\xAC"}) {
        const std::string ansi = codepage::ToAnsi(message);
        const auto expected = clsSHA::Digest(
            std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(ansi.data()), ansi.size()));
        std::string copy = message;
        const std::string bytes = codepage::ToAnsi(clsSHA().SHA1_string(copy));
        EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()),
                  std::vector<std::uint8_t>(expected.begin(), expected.end()))
            << message;
    }
}

} // namespace
