#include "cli_messages.h"

#include <cstdio>

void Report(MessageKind kind, const std::string& text) {
    std::string shown;
    if (kind == MessageKind::Usage) {
        shown = "tessarin-cli: " + EscapeControls(text) + "\nHilfe: tessarin-cli --help\n";
    } else {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                continue;
            shown += text[i];
        }
        shown += '\n';
    }
    std::fputs(shown.c_str(), stderr);
    std::fflush(stderr);
}

std::string EscapeControls(const std::string& text) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    const auto escapeByte = [](std::string& out, const char* prefix, unsigned char byte) {
        out += prefix;
        out += Hex[byte >> 4];
        out += Hex[byte & 15];
    };
    std::string shown;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F) {
            if (c == '\n')
                shown += "\\n";
            else if (c == '\r')
                shown += "\\r";
            else if (c == '\t')
                shown += "\\t";
            else
                escapeByte(shown, "\\x", c);
            ++i;
            continue;
        }
        if (c < 0x80) {
            shown += static_cast<char>(c);
            ++i;
            continue;
        }
        // A well-formed UTF-8 sequence passes, except the C1 controls U+0080..U+009F (C2 80..C2 9F).
        const std::size_t length = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
        bool wellFormed = length > 0 && i + length <= text.size();
        for (std::size_t k = 1; wellFormed && k < length; ++k)
            wellFormed = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        if (wellFormed && length == 3) { // no overlong forms, no surrogates
            const auto second = static_cast<unsigned char>(text[i + 1]);
            wellFormed = !(c == 0xE0 && second < 0xA0) && !(c == 0xED && second >= 0xA0);
        }
        if (wellFormed && length == 4) {
            const auto second = static_cast<unsigned char>(text[i + 1]);
            wellFormed = !(c == 0xF0 && second < 0x90) && !(c == 0xF4 && second >= 0x90);
        }
        if (!wellFormed) {
            escapeByte(shown, "\\x", c);
            ++i;
        } else if (c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) {
            escapeByte(shown, "\\u00", static_cast<unsigned char>(text[i + 1]));
            i += 2;
        } else {
            shown.append(text, i, length);
            i += length;
        }
    }
    return shown;
}
