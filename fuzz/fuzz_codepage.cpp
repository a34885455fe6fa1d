// Text to Windows-1252 and back, and the UTF-8 reading under it, against a second reading written
// here another way: byte by byte along the table of well-formed sequences (RFC 3629, section 4), and
// the code page's high row as a list of its 27 characters. Every byte string survives
// bytes -> text -> bytes, and turning any text into bytes gives one byte per character.

#include "text/codepage.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

// One row of RFC 3629's table: a range of lead bytes, the range its second byte must lie in, and how
// many bytes the sequence has. The later bytes are always 80-BF.
struct Row {
    std::uint8_t leadLow, leadHigh, secondLow, secondHigh;
    std::size_t length;
};
constexpr Row Rows[] = {
    {0xC2, 0xDF, 0x80, 0xBF, 2}, {0xE0, 0xE0, 0xA0, 0xBF, 3}, {0xE1, 0xEC, 0x80, 0xBF, 3},
    {0xED, 0xED, 0x80, 0x9F, 3}, {0xEE, 0xEF, 0x80, 0xBF, 3}, {0xF0, 0xF0, 0x90, 0xBF, 4},
    {0xF1, 0xF3, 0x80, 0xBF, 4}, {0xF4, 0xF4, 0x80, 0x8F, 4},
};

// The character at pos, or {0, 0} when no well-formed sequence starts there.
codepage::Utf8Char ReferenceDecode(const std::string& text, std::size_t pos) {
    const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[pos + k]); };
    if (byte(0) < 0x80)
        return {byte(0), 1};
    for (const Row& row : Rows) {
        if (byte(0) < row.leadLow || byte(0) > row.leadHigh)
            continue;
        if (text.size() - pos < row.length || byte(1) < row.secondLow || byte(1) > row.secondHigh)
            return {0, 0};
        // The lead byte's payload is what lies above its length marker: 0xC0, 0xE0 or 0xF0.
        const std::uint8_t marker = row.length == 2 ? 0xC0 : row.length == 3 ? 0xE0 : 0xF0;
        char32_t cp = byte(0) - marker;
        for (std::size_t k = 1; k < row.length; ++k) {
            if (byte(k) < 0x80 || byte(k) > 0xBF)
                return {0, 0};
            cp = cp * 64 + (byte(k) - 0x80);
        }
        return {cp, row.length};
    }
    return {0, 0};
}

// The characters Windows-1252 puts at 0x80-0x9F; the five bytes it leaves free are absent and stand
// for the code points of their own value.
struct HighByte {
    std::uint8_t byte;
    char32_t cp;
};
constexpr HighByte HighBytes[] = {
    {0x80, 0x20AC}, {0x82, 0x201A}, {0x83, 0x0192}, {0x84, 0x201E}, {0x85, 0x2026}, {0x86, 0x2020},
    {0x87, 0x2021}, {0x88, 0x02C6}, {0x89, 0x2030}, {0x8A, 0x0160}, {0x8B, 0x2039}, {0x8C, 0x0152},
    {0x8E, 0x017D}, {0x91, 0x2018}, {0x92, 0x2019}, {0x93, 0x201C}, {0x94, 0x201D}, {0x95, 0x2022},
    {0x96, 0x2013}, {0x97, 0x2014}, {0x98, 0x02DC}, {0x99, 0x2122}, {0x9A, 0x0161}, {0x9B, 0x203A},
    {0x9C, 0x0153}, {0x9E, 0x017E}, {0x9F, 0x0178},
};
constexpr std::uint8_t FreeBytes[] = {0x81, 0x8D, 0x8F, 0x90, 0x9D};

// The Windows-1252 byte holding the character, if the code page has one. Made into a table once, so
// that a long text costs one look-up per character.
std::optional<char> ReferenceByte(char32_t cp) {
    constexpr char32_t TableSize = 0x2200; // past the highest character of the code page, U+2122
    static const std::array<std::int16_t, TableSize> table = [] {
        std::array<std::int16_t, TableSize> t;
        t.fill(-1);
        for (char32_t c = 0; c <= 0xFF; ++c)
            if (c < 0x80 || c >= 0xA0)
                t[c] = static_cast<std::int16_t>(c);
        for (const HighByte& high : HighBytes)
            t[high.cp] = high.byte;
        for (std::uint8_t free : FreeBytes)
            t[free] = free;
        return t;
    }();
    if (cp >= TableSize || table[cp] < 0)
        return std::nullopt;
    return static_cast<char>(table[cp]);
}

// The UTF-8 form of a scalar value, written out per length.
std::string Encode(char32_t cp) {
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 + cp / 64);
        out += static_cast<char>(0x80 + cp % 64);
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 + cp / 4096);
        out += static_cast<char>(0x80 + cp / 64 % 64);
        out += static_cast<char>(0x80 + cp % 64);
    } else {
        out += static_cast<char>(0xF0 + cp / 262144);
        out += static_cast<char>(0x80 + cp / 4096 % 64);
        out += static_cast<char>(0x80 + cp / 64 % 64);
        out += static_cast<char>(0x80 + cp % 64);
    }
    return out;
}

// Decoding, counting, conversion and the password test of one text against the reference.
void CheckText(const std::string& text) {
    std::string ansi;
    std::size_t count = 0;
    bool representable = true;
    for (std::size_t pos = 0; pos < text.size(); ++count) {
        const codepage::Utf8Char expected = ReferenceDecode(text, pos);
        const codepage::Utf8Char got = codepage::DecodeUtf8(text, pos);
        if (got.length != expected.length || (expected.length != 0 && got.cp != expected.cp))
            std::abort();
        const std::optional<char> byte = expected.length == 0 ? std::nullopt : ReferenceByte(expected.cp);
        representable = representable && byte.has_value();
        ansi += byte.value_or('?');
        pos += expected.length == 0 ? 1 : expected.length;
    }
    if (codepage::CharCount(text) != count || codepage::ToAnsi(text) != ansi ||
        codepage::Representable(text) != representable)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    CheckText(input);

    // The input read as scalar values, three bytes each, so that well-formed text of every length is
    // common: each comes back from its UTF-8 form as one character, and the whole text goes through
    // the same checks as the input.
    std::string text;
    for (std::size_t i = 0; i + 3 <= size; i += 3) {
        char32_t cp = (data[i] << 16 | data[i + 1] << 8 | data[i + 2]) % 0x110000;
        if (cp >= 0xD800 && cp <= 0xDFFF)
            cp -= 0xD800; // surrogates are no characters
        const std::string encoded = Encode(cp);
        const codepage::Utf8Char got = codepage::DecodeUtf8(encoded, 0);
        if (got.cp != cp || got.length != encoded.size())
            std::abort();
        text += encoded;
    }
    CheckText(text);

    // Read as Windows-1252 bytes, the input comes back exactly.
    const std::string fromAnsi = codepage::FromAnsi(input);
    if (codepage::ToAnsi(fromAnsi) != input || !codepage::Representable(fromAnsi))
        std::abort();
    return 0;
}
