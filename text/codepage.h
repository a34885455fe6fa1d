#pragma once

// The program's one 8-bit code page, Windows-1252, fixed on every system so that containers are the
// same everywhere. Program texts are UTF-8; these turn them into one byte per character and back.

#include <cstddef>
#include <string>
#include <string_view>

namespace codepage {

// UTF-8 text to Windows-1252 bytes, one byte per character. A character that Windows-1252 cannot
// represent, and every byte of malformed UTF-8, becomes '?' (0x3F). The five bytes Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for U+0081, U+008D, U+008F, U+0090 and U+009D.
std::string ToAnsi(std::string_view utf8);

// Windows-1252 bytes to UTF-8 text, one character per byte; the exact inverse of ToAnsi for every byte.
std::string FromAnsi(std::string_view ansi);

// Whether the text is well-formed UTF-8 and Windows-1252 holds every one of its characters, so that it
// becomes bytes without a '?' standing in for anything: the rule for every password.
bool Representable(std::string_view utf8);

// One character of a UTF-8 text: its code point and how many bytes it takes (0 when the byte at the
// position does not start a well-formed sequence: no overlong forms, no surrogates, nothing above
// U+10FFFF, nothing cut off at the end).
struct Utf8Char {
    char32_t cp;
    std::size_t length;
};
// The character starting at pos (< text.size()).
Utf8Char DecodeUtf8(std::string_view text, std::size_t pos);

// Number of characters of a UTF-8 text (each malformed byte counts as one).
std::size_t CharCount(std::string_view utf8);

} // namespace codepage
