#include "text/codepage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::string AllBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes.push_back(static_cast<char>(b));
    return bytes;
}

TEST(Codepage, EveryByteSurvivesTheRoundTrip) {
    const std::string all = AllBytes();
    EXPECT_EQ(codepage::ToAnsi(codepage::FromAnsi(all)), all);
    EXPECT_EQ(codepage::CharCount(codepage::FromAnsi(all)), 256u);
}

// Expected bytes from the Windows-1252 mapping published by Unicode
// (Public/MAPPINGS/VENDORS/MICSFT/WINDOWS/CP1252.TXT); the five bytes undefined there keep their C1 code.
TEST(Codepage, CharactersMapToTheirWindows1252Bytes) {
    struct Case {
        const char* utf8;
        std::string ansi;
        bool invertible; // FromAnsi(ansi) gives utf8 back
    };
    const Case cases[] = {
        {"", "", true},
        {"Passwort 1!", "Passwort 1!", true},
        {"\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F\xC3\x84", "\xE4\xF6\xFC\xDF\xC4", true}, // äöüßÄ
        {"\xE2\x82\xAC", "\x80", true},                                             // €
        {"\xC5\xB8", "\x9F", true},                                                 // Ÿ
        {"\xE2\x80\x9E\xE2\x80\x9C", "\x84\x93", true},                             // „“
        {"\xC2\xA0\xC3\xBF", "\xA0\xFF", true},                                     // NBSP ÿ
        {"\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D", "\x81\x8D\x8F\x90\x9D", true},
        {"\xE4\xB8\xAD", "?", false},        // CJK U+4E2D
        {"\xF0\x9F\x94\x91", "?", false},    // U+1F511, four bytes
        {"\xC2\x80", "?", false},            // U+0080: its byte stands for €
        {"\xC5\x81", "?", false},            // Ł, not in Windows-1252
        {"a\x80z", "a?z", false},            // stray continuation byte
        {"\xC3", "?", false},                // truncated at the end
        {"\xE2\x82z", "??z", false},         // truncated in the middle
        {"\xC0\xAF", "??", false},           // overlong '/'
        {"\xED\xA0\x80", "???", false},      // surrogate U+D800
        {"\xF4\x90\x80\x80", "????", false}, // above U+10FFFF
        {"\xFF\xC3\xA4", "?\xE4", false},    // a bad byte does not swallow the next character
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(codepage::ToAnsi(c.utf8), c.ansi);
        EXPECT_EQ(codepage::CharCount(c.utf8), c.ansi.size());
        if (c.invertible) {
            EXPECT_EQ(codepage::FromAnsi(c.ansi), c.utf8);
        }
    }
}

} // namespace
