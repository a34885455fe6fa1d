#include "core/container.h"
#include "crypto/clsRC4.h"
#include "support/bytes.h"
#include "support/temp_dir.h"
#include "text/codepage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using test_bytes::FromHex;
using test_bytes::FromText;

std::string AnsiOf(const std::string& text) {
    return codepage::ToAnsi(text);
}

// The first n keystream bytes of a key: the cipher applied to zeros.
Bytes Keystream(const std::string& key, std::size_t n) {
    Bytes zeros(n, 0);
    clsRC4 rc4;
    rc4.EncryptByte(zeros, key);
    return zeros;
}

// This value is part of the container format: every container ever written depends on it.
TEST(Container, PasswordSaltNeverChanges) {
    const std::string salt = container::PasswordSalt();
    EXPECT_EQ(salt, "{424ED628-6CC3-4C76-96F1-67B05C44553F}");
    ASSERT_EQ(salt.size(), 38u);
    for (std::size_t i = 0; i < salt.size(); ++i) {
        const char c = salt[i];
        const bool hyphen = i == 9 || i == 14 || i == 19 || i == 24;
        const bool hex = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
        const char expected = i == 0 ? '{' : i == 37 ? '}' : hyphen ? '-' : hex ? c : 'X';
        EXPECT_EQ(c, expected) << "position " << i;
    }
}

TEST(Container, TrimSpacesRemovesOnlyOuterSpaces) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"   ", ""},
        {"  geheim  ", "geheim"},
        {"geh eim", "geh eim"},
        {"\tgeheim\t", "\tgeheim\t"},
        {" \t geheim \n ", "\t geheim \n"},
        {"\xC2\xA0x", "\xC2\xA0x"},
    };
    for (const auto& [input, trimmed] : cases)
        EXPECT_EQ(container::TrimSpaces(input), trimmed) << '"' << input << '"';
}

// Expected digests computed independently with Python: hashlib.sha1((password.strip(' ') + salt)
// .encode('cp1252')).
TEST(Container, PasswordDigestIsSha1OfTrimmedPasswordAndSalt) {
    const std::pair<std::string, std::string> cases[] = {
        {"geheim", "AF84B06624C2CCB25C8DED1854CC9F7B090DCEAE"},
        {"   geheim ", "AF84B06624C2CCB25C8DED1854CC9F7B090DCEAE"},
        {"\tgeheim", "41CBFA8AF303380E74D861B886CCBC3AEADA7DB9"},
        {"Schl\xC3\xBCssel", "82D4C8665E8C81E00A838BBA9BD9ED9AC22883D9"},
    };
    for (const auto& [password, hex] : cases)
        EXPECT_EQ(FromText(AnsiOf(container::PasswordDigest(password))), FromHex(hex)) << password;
    EXPECT_EQ(container::PasswordCheckText("  a b  "), "a b" + container::PasswordSalt());
}

TEST(Container, HeaderFieldsKeepTheirPlaceAndWidth) {
    const std::string digest = container::PasswordDigest("geheim");
    const container::ContainerHeader header{"rc4", "1A2B3C4D", digest};
    const auto bytes = container::ComposeHeader(header);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 11), "rc41A2B3C4D");
    EXPECT_EQ(std::string(bytes.begin() + 11, bytes.end()), AnsiOf(digest));
    EXPECT_EQ(bytes, container::ComposeHeader("1A2B3C4D", digest));

    const auto parsed = container::ParseHeader(bytes);
    EXPECT_EQ(parsed.Marker, header.Marker);
    EXPECT_EQ(parsed.PlainChecksum, header.PlainChecksum);
    EXPECT_EQ(parsed.PasswordDigest, header.PasswordDigest);

    // Short fields are padded with NUL, long ones cut, so the header is always 31 bytes in place.
    const auto odd = container::ComposeHeader(container::ContainerHeader{"rc", "123456789", "\xE2\x82\xAC"});
    EXPECT_EQ(std::string(odd.begin(), odd.begin() + 13), std::string("rc\0"
                                                                      "12345678"
                                                                      "\x80\0",
                                                                      13));
    EXPECT_TRUE(std::all_of(odd.begin() + 13, odd.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST(Container, BlocksAreFullUntilTheLast) {
    const std::pair<std::int64_t, std::vector<std::int64_t>> cases[] = {
        {0, {}},
        {1, {1}},
        {99999, {99999}},
        {100000, {100000}},
        {100001, {100000, 1}},
        {200000, {100000, 100000}},
        {250000, {100000, 100000, 50000}},
    };
    for (const auto& [total, expected] : cases) {
        std::vector<std::int64_t> lengths;
        for (std::int64_t done = 0; done < total; done += lengths.back())
            lengths.push_back(container::NextBlockLength(done, total));
        EXPECT_EQ(lengths, expected) << total;
    }
}

// Every block starts the keystream afresh: data byte p meets keystream byte p mod BlockSize.
TEST(Container, EveryBlockRestartsTheKeystream) {
    const Bytes stream = Keystream("geheim", container::BlockSize);
    for (const std::size_t n : {0u, 1u, 100000u, 100001u, 250000u}) {
        SCOPED_TRACE(n);
        const Bytes plain = RandomBytes(n, static_cast<std::uint32_t>(n));
        Bytes data = plain;
        clsRC4 rc4;
        container::TransformData(rc4, data, "geheim");
        std::size_t wrong = 0;
        for (std::size_t p = 0; p < n; ++p)
            wrong += data[p] != (plain[p] ^ stream[p % container::BlockSize]);
        EXPECT_EQ(wrong, 0u);
        if (n == 100001) {
            EXPECT_EQ(data.back(), plain.back() ^ stream[0]);
        }
    }

    Bytes twice = RandomBytes(container::BlockSize, 7);
    twice.insert(twice.end(), twice.begin(), twice.end());
    clsRC4 rc4;
    container::TransformData(rc4, twice, "geheim");
    EXPECT_TRUE(std::equal(twice.begin(), twice.begin() + container::BlockSize,
                           twice.begin() + container::BlockSize));
}

// An object that has held another key must not lend it to an empty key: the data would then depend on
// the object's history instead of on the password.
TEST(Container, EmptyKeyLeavesDataUnchangedWhateverTheCipherHeld) {
    clsRC4 rc4;
    Bytes other(10, 0);
    rc4.EncryptByte(other, "anderes");
    const Bytes plain = RandomBytes(1000, 3);
    Bytes data = plain;
    container::TransformData(rc4, data, "");
    EXPECT_EQ(data, plain);
}

// Key "Key" and "Plaintext" → BBF316E8D940AF0AD3: the RC4 test vector from Wikipedia's RC4 article.
// CRC-32 and digest computed with Python's zlib.crc32 and hashlib.sha1.
TEST(Container, KnownContainer) {
    const Bytes expected = FromHex("726334"
                                   "3244453834383138"
                                   "3DBD4093B4E3F03CF133DC913771102F5EC40162"
                                   "BBF316E8D940AF0AD3");
    EXPECT_EQ(container::MakeContainer(FromText("Plaintext"), "Key"), expected);
    EXPECT_EQ(container::MakeContainer(FromText("Plaintext"), "  Key "), expected);
}

TEST(Container, EmptyAndOneBytePlainFiles) {
    for (const Bytes& plain : {Bytes{}, Bytes{0x42}}) {
        const Bytes made = container::MakeContainer(plain, "geheim");
        ASSERT_EQ(made.size(), container::HeaderSize + plain.size());
        EXPECT_EQ(std::string(made.begin() + 3, made.begin() + 11), "00000000");
        Bytes restored{1, 2, 3};
        EXPECT_EQ(container::OpenContainer(made, "geheim", restored), container::OpenResult::Ok);
        EXPECT_EQ(restored, plain);
    }
}

TEST(Container, OpenTellsTheFailureKindsApart) {
    using container::OpenResult;
    const Bytes plain = FromText("Attack at dawn"); // CRC-32 97500DD2 holds letters for the case test
    const Bytes made = container::MakeContainer(plain, "geheim");
    ASSERT_EQ(std::string(made.begin() + 3, made.begin() + 11), "97500DD2");

    struct Case {
        const char* name;
        std::function<void(Bytes&)> damage;
        std::string password;
        OpenResult result;
    };
    const Case cases[] = {
        {"intact", [](Bytes&) {}, "geheim", OpenResult::Ok},
        {"password with spaces", [](Bytes&) {}, "  geheim  ", OpenResult::Ok},
        {"empty file", [](Bytes& b) { b.clear(); }, "geheim", OpenResult::NotAContainer},
        {"header cut short", [](Bytes& b) { b.resize(30); }, "geheim", OpenResult::NotAContainer},
        {"upper-case marker", [](Bytes& b) { b[0] = 'R', b[1] = 'C'; }, "geheim", OpenResult::NotAContainer},
        {"cut short while written (pending mark), any password",
         [](Bytes& b) { std::fill(b.begin() + 3, b.begin() + 11, '-'); }, "falsch",
         OpenResult::NotAContainer},
        {"digest byte changed", [](Bytes& b) { b[30] ^= 1; }, "geheim", OpenResult::WrongPassword},
        {"wrong password", [](Bytes&) {}, "Geheim", OpenResult::WrongPassword},
        {"tab not trimmed", [](Bytes&) {}, "\tgeheim", OpenResult::WrongPassword},
        {"cipher byte changed", [](Bytes& b) { b[40] ^= 0x80; }, "geheim", OpenResult::ChecksumError},
        {"checksum in lower case", [](Bytes& b) { b[8] = 'd', b[9] = 'd'; }, "geheim",
         OpenResult::ChecksumError},
    };
    const Bytes untouched{9, 9, 9};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bytes = made;
        c.damage(bytes);
        Bytes restored = untouched;
        EXPECT_EQ(container::OpenContainer(bytes, c.password, restored), c.result);
        switch (c.result) {
        case OpenResult::Ok:
            EXPECT_EQ(restored, plain);
            break;
        case OpenResult::ChecksumError:
            EXPECT_EQ(restored.size(), plain.size());
            break;
        default: // refused before anything was restored
            EXPECT_EQ(restored, untouched);
        }
    }
}

} // namespace
