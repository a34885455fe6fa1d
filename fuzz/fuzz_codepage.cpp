// Text to Windows-1252 and back: every byte string survives bytes -> text -> bytes, and turning any
// text into bytes gives one byte per character.

#include "text/codepage.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);

    const std::string ansi = codepage::ToAnsi(input);
    if (ansi.size() != codepage::CharCount(input))
        std::abort();
    if (codepage::ToAnsi(codepage::FromAnsi(ansi)) != ansi)
        std::abort();

    // Read as Windows-1252 bytes, the input comes back exactly.
    if (codepage::ToAnsi(codepage::FromAnsi(input)) != input)
        std::abort();
    return 0;
}
