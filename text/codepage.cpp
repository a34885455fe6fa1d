#include "text/codepage.h"

#include <array>
#include <cstdint>

namespace codepage {

namespace {

constexpr char Replacement = '?';

// Code points of the bytes 0x80 to 0x9F. Windows-1252 fills this row with typographic characters
// instead of the C1 controls of Latin-1; the five bytes it leaves undefined keep their C1 code point,
// so that every byte still has a character and FromAnsi stays invertible.
constexpr std::array<char32_t, 32> HighRow = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

constexpr char32_t ToCodePoint(std::uint8_t byte) {
    return byte >= 0x80 && byte <= 0x9F ? HighRow[byte - 0x80] : static_cast<char32_t>(byte);
}

// The UTF-8 form of each byte's character, built once: FromAnsi is then a table lookup per byte.
struct Utf8Entry {
    char bytes[3];
    std::uint8_t length;
};

constexpr Utf8Entry Encode(char32_t cp) {
    if (cp < 0x80)
        return {{static_cast<char>(cp), 0, 0}, 1};
    if (cp < 0x800)
        return {{static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F)), 0}, 2};
    return {{static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
             static_cast<char>(0x80 | (cp & 0x3F))},
            3};
}

constexpr std::array<Utf8Entry, 256> MakeUtf8Table() {
    std::array<Utf8Entry, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[b] = Encode(ToCodePoint(static_cast<std::uint8_t>(b)));
    return table;
}

constexpr std::array<Utf8Entry, 256> Utf8Table = MakeUtf8Table();

// The byte for a code point, or '?' when Windows-1252 has no such character.
char ToByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (std::size_t i = 0; i < HighRow.size(); ++i)
        if (HighRow[i] == cp)
            return static_cast<char>(0x80 + i);
    return Replacement; // includes the C1 controls whose bytes Windows-1252 gives to other characters
}

} // namespace

Utf8Char DecodeUtf8(std::string_view s, std::size_t pos) {
    const auto at = [&](std::size_t k) { return static_cast<std::uint8_t>(s[pos + k]); };
    const std::uint8_t lead = at(0);
    if (lead < 0x80)
        return {lead, 1};

    std::size_t length;
    char32_t cp;
    std::uint8_t low = 0x80, high = 0xBF; // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0; // overlong below U+0800
        if (lead == 0xED)
            high = 0x9F; // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90; // overlong below U+10000
        if (lead == 0xF4)
            high = 0x8F; // above U+10FFFF
    } else {
        return {0, 0};
    }
    if (s.size() - pos < length)
        return {0, 0};
    for (std::size_t k = 1; k < length; ++k) {
        const std::uint8_t c = at(k);
        if (k == 1 ? (c < low || c > high) : (c < 0x80 || c > 0xBF))
            return {0, 0};
        cp = (cp << 6) | (c & 0x3F);
    }
    return {cp, length};
}

std::string ToAnsi(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const Utf8Char d = DecodeUtf8(utf8, pos);
        if (d.length == 0) {
            // One '?' per byte, and the next byte gets its own chance to start a character.
            out.push_back(Replacement);
            ++pos;
        } else {
            out.push_back(ToByte(d.cp));
            pos += d.length;
        }
    }
    return out;
}

std::string FromAnsi(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size() + ansi.size() / 2);
    for (const char c : ansi) {
        const Utf8Entry& e = Utf8Table[static_cast<std::uint8_t>(c)];
        out.append(e.bytes, e.length);
    }
    return out;
}

bool Representable(std::string_view utf8) {
    // Every character the code page holds comes back unchanged; any other, and every malformed byte,
    // has turned into '?'.
    return FromAnsi(ToAnsi(utf8)) == utf8;
}

std::size_t CharCount(std::string_view utf8) {
    std::size_t count = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const Utf8Char d = DecodeUtf8(utf8, pos);
        pos += d.length == 0 ? 1 : d.length;
        ++count;
    }
    return count;
}

} // namespace codepage
