#include "crypto/clsRC4.h"
#include "support/bytes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using test_bytes::FromHex;
using test_bytes::FromText;

// A straightforward RC4 (key schedule and output generator exactly as published), for comparison.
Bytes ReferenceRc4(const Bytes& key, Bytes data) {
    std::uint8_t s[256];
    for (int n = 0; n < 256; ++n)
        s[n] = static_cast<std::uint8_t>(n);
    std::uint8_t j = 0;
    for (int i = 0; i < 256; ++i) {
        j = static_cast<std::uint8_t>(j + key[i % key.size()] + s[i]);
        std::swap(s[i], s[j]);
    }
    std::uint8_t i = 0;
    j = 0;
    for (auto& byte : data) {
        ++i;
        j = static_cast<std::uint8_t>(j + s[i]);
        std::swap(s[i], s[j]);
        byte ^= s[static_cast<std::uint8_t>(s[i] + s[j])];
    }
    return data;
}

// The byte-by-byte loop for Progress, literally: after byte k, if k >= next, compute Percent and next.
std::vector<std::int32_t> ReferenceProgress(std::size_t n) {
    std::vector<std::int32_t> events;
    double next = 0;
    std::int32_t percent = 0;
    for (std::size_t k = 0; k < n; ++k) {
        if (static_cast<double>(k) >= next) {
            percent =
                static_cast<std::int32_t>(std::floor(static_cast<double>(k) / static_cast<double>(n) * 100));
            next = std::nearbyint((percent + 1) / 100.0 * static_cast<double>(n) + 1); // halves to even
            events.push_back(percent);
        }
    }
    if (percent != 100)
        events.push_back(100);
    return events;
}

std::vector<std::int32_t> ObservedProgress(std::size_t n, const std::string& key = "Key") {
    clsRC4 rc4;
    std::vector<std::int32_t> events;
    rc4.OnProgress([&](std::int32_t percent) { events.push_back(percent); });
    Bytes data(n, 0x5A);
    rc4.EncryptByte(data, key);
    return events;
}

TEST(Rc4, PublishedVectors) {
    struct Case {
        std::string key, plain, cipherHex;
    };
    // The classic examples of the RC4 literature (e.g. the Wikipedia article on RC4).
    const Case cases[] = {
        {"Key", "Plaintext", "BBF316E8D940AF0AD3"},
        {"Wiki", "pedia", "1021BF0420"},
        {"Secret", "Attack at dawn", "45A01F645FC35B383552544B9BF5"},
    };
    for (const auto& c : cases) {
        clsRC4 rc4;
        Bytes data = FromText(c.plain);
        rc4.EncryptByte(data, c.key);
        EXPECT_EQ(data, FromHex(c.cipherHex)) << c.key;
    }
}

TEST(Rc4, Rfc6229KeystreamForFortyBitKey) {
    // RFC 6229, key 0x0102030405: keystream bytes at offsets 0 and 16 (zero plaintext gives the keystream).
    clsRC4 rc4;
    Bytes data(32, 0);
    rc4.EncryptByte(data, std::string("\x01\x02\x03\x04\x05"));
    EXPECT_EQ(Bytes(data.begin(), data.begin() + 16), FromHex("b2396305f03dc027ccc3524a0a1118a8"));
    EXPECT_EQ(Bytes(data.begin() + 16, data.end()), FromHex("6982944f18fc82d589c403a47a0d0919"));
}

TEST(Rc4, ArraysOfManyLengthsMatchTheReference) {
    const std::string key = "correct horse battery staple";
    clsRC4 rc4;
    // Around the kept keystream's length (100000) and far beyond it, where the generator takes over.
    for (std::size_t n : {0u, 1u, 15u, 16u, 17u, 63u, 64u, 65u, 127u, 129u, 1000u, 99999u, 100000u, 100001u,
                          250000u, (16u << 20) + 12345u}) {
        const Bytes plain = RandomBytes(n, static_cast<std::uint32_t>(n));
        Bytes data = plain;
        rc4.EncryptByte(data, key);
        EXPECT_EQ(data, ReferenceRc4(FromText(key), plain)) << n;
    }
}

TEST(Rc4, IntoASecondArrayLikeInPlaceLeavingTheSourceAlone) {
    const std::string key = "correct horse battery staple";
    clsRC4 rc4;
    std::vector<std::int32_t> inPlaceProgress, separateProgress;
    for (std::size_t n : {0u, 1u, 31u, 65u, 99999u, 100000u, 100001u, (16u << 20) + 7u}) {
        const Bytes plain = RandomBytes(n, static_cast<std::uint32_t>(n) + 5);
        Bytes inPlace = plain;
        rc4.OnProgress([&](std::int32_t p) { inPlaceProgress.push_back(p); });
        rc4.EncryptByte(inPlace, key);
        // The target sits at an odd address, as the batches place it.
        Bytes target(n + 31, 0xEE);
        rc4.OnProgress([&](std::int32_t p) { separateProgress.push_back(p); });
        rc4.EncryptByte(std::span<const std::uint8_t>(plain), std::span<std::uint8_t>(target.data() + 31, n),
                        key);
        EXPECT_TRUE(std::equal(inPlace.begin(), inPlace.end(), target.begin() + 31)) << n;
        EXPECT_EQ(Bytes(target.begin(), target.begin() + 31), Bytes(31, 0xEE)) << n;
        EXPECT_EQ(plain, RandomBytes(n, static_cast<std::uint32_t>(n) + 5)) << n;
        EXPECT_EQ(separateProgress, inPlaceProgress) << n;
    }
    Bytes shorter(10);
    EXPECT_THROW(rc4.EncryptByte(std::span<const std::uint8_t>(RandomBytes(11, 1)),
                                 std::span<std::uint8_t>(shorter), key),
                 std::invalid_argument);
}

TEST(Rc4, TwiceWithTheSameKeyRestores) {
    clsRC4 rc4;
    const Bytes plain = RandomBytes(123457, 7);
    Bytes data = plain;
    rc4.EncryptByte(data, "pw");
    EXPECT_NE(data, plain);
    rc4.EncryptByte(data, "pw");
    EXPECT_EQ(data, plain);
}

TEST(Rc4, EveryCallRestartsTheKeystream) {
    // A block of 100000 bytes and a block of 30 that follows it both begin with keystream byte 0.
    clsRC4 rc4;
    Bytes big(100000, 0), small(30, 0);
    rc4.EncryptByte(big, "Passwort");
    rc4.EncryptByte(small, "Passwort");
    EXPECT_EQ(small, Bytes(big.begin(), big.begin() + 30));
    // And with an empty Key argument, the saved state carries on unchanged.
    Bytes again(30, 0);
    rc4.EncryptByte(again, "");
    EXPECT_EQ(again, small);
}

TEST(Rc4, TwoArraysXorLikeTheirInputs) {
    clsRC4 rc4;
    const Bytes a = RandomBytes(5000, 1), b = RandomBytes(3000, 2);
    Bytes ca = a, cb = b;
    rc4.EncryptByte(ca, "k");
    rc4.EncryptByte(cb, "k");
    for (std::size_t i = 0; i < b.size(); ++i)
        ASSERT_EQ(ca[i] ^ cb[i], a[i] ^ b[i]) << i;
}

TEST(Rc4, NewInstanceWithEmptyKeyLeavesBytesUnchangedAndReportsProgress) {
    clsRC4 rc4;
    std::vector<std::int32_t> events;
    rc4.OnProgress([&](std::int32_t percent) { events.push_back(percent); });
    const Bytes plain = RandomBytes(10, 3);
    Bytes data = plain;
    rc4.EncryptByte(data, "");
    EXPECT_EQ(data, plain);
    EXPECT_EQ(events, (std::vector<std::int32_t>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
}

TEST(Rc4, SettingKeysAgainGivesTheSameResults) {
    const Bytes plain = RandomBytes(1000, 4);
    clsRC4 rc4;
    Bytes first = plain;
    rc4.EncryptByte(first, "alpha");

    Bytes same = plain;
    rc4.Key("alpha");
    rc4.EncryptByte(same, "alpha");
    EXPECT_EQ(same, first);

    Bytes other = plain;
    rc4.EncryptByte(other, "beta");
    EXPECT_NE(other, first);
    EXPECT_EQ(other, ReferenceRc4(FromText("beta"), plain));

    Bytes back = plain;
    rc4.EncryptByte(back, "alpha");
    EXPECT_EQ(back, first);

    // Through the write-only property alone, then an empty Key argument.
    rc4.Key("beta");
    Bytes viaProperty = plain;
    rc4.EncryptByte(viaProperty, "");
    EXPECT_EQ(viaProperty, other);
}

TEST(Rc4, KeysDifferingInCaseAreDifferentKeys) {
    const Bytes plain(64, 0);
    clsRC4 rc4;
    Bytes lower = plain, upper = plain;
    rc4.EncryptByte(lower, "secret");
    rc4.EncryptByte(upper, "SECRET");
    EXPECT_NE(lower, upper);
}

TEST(Rc4, EmptyKeyPropertyReturnsToTheNewInstanceState) {
    clsRC4 rc4;
    rc4.Key("something");
    rc4.Key("");
    const Bytes plain = RandomBytes(100, 5);
    Bytes data = plain;
    rc4.EncryptByte(data, "");
    EXPECT_EQ(data, plain);
}

TEST(Rc4, OnlyTheFirst256KeyBytesCount) {
    const std::string base(256, 'x');
    const Bytes plain(40, 0);
    clsRC4 rc4;
    Bytes a = plain, b = plain;
    rc4.EncryptByte(a, base + "tail one");
    rc4.EncryptByte(b, base + "another tail");
    EXPECT_EQ(a, b);
}

TEST(Rc4, KeyTextIsTakenAsWindows1252Bytes) {
    // "Käse" (UTF-8) is keyed with the bytes 4B E4 73 65.
    const Bytes plain(20, 0);
    clsRC4 rc4;
    Bytes data = plain;
    rc4.EncryptByte(data, "K\xC3\xA4se");
    EXPECT_EQ(data, ReferenceRc4(Bytes{0x4B, 0xE4, 0x73, 0x65}, plain));
}

TEST(Rc4, ProgressSequencesFollowTheByteLoop) {
    EXPECT_EQ(ObservedProgress(0), (std::vector<std::int32_t>{100}));
    EXPECT_EQ(ObservedProgress(1), (std::vector<std::int32_t>{0, 100}));
    EXPECT_EQ(ObservedProgress(10), (std::vector<std::int32_t>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));

    std::vector<std::int32_t> hundred;
    for (int p = 0; p <= 100; ++p)
        hundred.push_back(p);
    EXPECT_EQ(ObservedProgress(100000), hundred);
    EXPECT_EQ(ObservedProgress(151), hundred);
    EXPECT_EQ(ObservedProgress(150), ReferenceProgress(150));
    EXPECT_NE(ObservedProgress(150), hundred); // 150 bytes still skip a percentage

    // Every length up to a few hundred, and some larger ones, against the literal byte loop.
    for (std::size_t n = 0; n <= 400; ++n)
        ASSERT_EQ(ObservedProgress(n), ReferenceProgress(n)) << n;
    for (std::size_t n : {999u, 1000u, 1001u, 4999u, 12345u, 99999u, 100001u, 333333u})
        ASSERT_EQ(ObservedProgress(n), ReferenceProgress(n)) << n;
}

TEST(Rc4, ProgressIsRaisedRightAfterTheByteItCounts) {
    // n = 100000: Percent p < 100 comes after byte 0 (p = 0) or byte p*1000+1, and 100 after the last.
    // Zero plain text makes the cipher text the keystream: when the event arrives, every byte up to its
    // position must hold the keystream and every later one must still be zero (bytes where the keystream
    // itself is zero tell nothing and are skipped).
    const std::size_t n = 100000;
    const Bytes keystream = ReferenceRc4(FromText("Key"), Bytes(n, 0));
    Bytes data(n, 0);
    std::vector<std::size_t> positions;
    clsRC4 rc4;
    rc4.OnProgress([&](std::int32_t percent) {
        const std::size_t at = percent == 0 ? 0 : percent == 100 ? n - 1 : std::size_t(percent) * 1000 + 1;
        bool exact = true;
        for (std::size_t m = 0; m < n && exact; ++m)
            if (keystream[m] != 0)
                exact = data[m] == (m <= at ? keystream[m] : 0);
        EXPECT_TRUE(exact) << percent;
        positions.push_back(at);
    });
    rc4.EncryptByte(data, "Key");
    EXPECT_EQ(positions.size(), 101u);
    EXPECT_EQ(data, keystream);
}

TEST(Rc4, SubscriberErrorsReachTheCallerWithThePrefixTransformed) {
    clsRC4 rc4;
    int calls = 0;
    rc4.OnProgress([&](std::int32_t) {
        if (++calls == 3)
            throw std::runtime_error("stop");
    });
    const Bytes plain = RandomBytes(10, 9);
    Bytes data = plain;
    EXPECT_THROW(rc4.EncryptByte(data, "k"), std::runtime_error);
    const Bytes full = ReferenceRc4(FromText("k"), plain);
    EXPECT_EQ(Bytes(data.begin(), data.begin() + 3), Bytes(full.begin(), full.begin() + 3));
    EXPECT_EQ(Bytes(data.begin() + 3, data.end()), Bytes(plain.begin() + 3, plain.end()));

    // The object still works afterwards.
    rc4.OnProgress(nullptr);
    Bytes again = plain;
    rc4.EncryptByte(again, "k");
    EXPECT_EQ(again, full);
}

TEST(Rc4, SubscriberMayCallBackIntoTheObject) {
    // The outer call keeps the keystream it started with, whatever the subscriber does.
    const Bytes plain = RandomBytes(300000, 10);
    clsRC4 rc4;
    Bytes nested = RandomBytes(250000, 11);
    const Bytes nestedPlain = nested;
    bool once = false;
    rc4.OnProgress([&](std::int32_t percent) {
        if (percent == 50 && !once) {
            once = true;
            rc4.OnProgress(nullptr);
            rc4.EncryptByte(nested, "other key");
        }
    });
    Bytes data = plain;
    rc4.EncryptByte(data, "first key");
    EXPECT_EQ(data, ReferenceRc4(FromText("first key"), plain));
    EXPECT_EQ(nested, ReferenceRc4(FromText("other key"), nestedPlain));
}

} // namespace
