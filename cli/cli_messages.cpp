#include "cli/cli_messages.h"

#include "cli/cli_texts.h"
#include "text/codepage.h"

#include <cstdint>
#include <cstdio>

void Report(MessageKind kind, const std::string& text) {
    std::string shown;
    if (kind == MessageKind::Usage) {
        shown = cli_texts::UsagePrefix + EscapeControls(text) + "\n" + cli_texts::UsageHint + "\n";
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
    const auto escape = [](std::string& out, const char* prefix, std::uint32_t value) {
        out += prefix;
        out += Hex[(value >> 4) & 15];
        out += Hex[value & 15];
    };
    std::string shown;
    for (std::size_t i = 0; i < text.size();) {
        const codepage::Utf8Char c = codepage::DecodeUtf8(text, i);
        if (c.length == 0) { // a byte that is no UTF-8
            escape(shown, "\\x", static_cast<unsigned char>(text[i]));
            ++i;
            continue;
        }
        if (c.cp == '\n')
            shown += "\\n";
        else if (c.cp == '\r')
            shown += "\\r";
        else if (c.cp == '\t')
            shown += "\\t";
        else if (c.cp < 0x20 || c.cp == 0x7F)
            escape(shown, "\\x", c.cp);
        else if (c.cp >= 0x80 && c.cp < 0xA0) // C1 controls: CSI and the like on some terminals
            escape(shown, "\\u00", c.cp);
        else
            shown.append(text, i, c.length);
        i += c.length;
    }
    return shown;
}
