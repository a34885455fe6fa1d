#include "window/password_input.h"

#include "text/codepage.h"
#include "window/window_texts.h"

#include <algorithm>

namespace password_input {

std::vector<std::string> RefusedCharacters(std::string_view utf8) {
    std::vector<std::string> refused;
    for (std::size_t at = 0; at < utf8.size();) {
        const codepage::Utf8Char next = codepage::DecodeUtf8(utf8, at);
        const std::size_t length = next.length != 0 ? next.length : 1;
        // Judged by the code page's own test, so the box refuses exactly what a password cannot be.
        const std::string character =
            next.length != 0 ? std::string(utf8.substr(at, length)) : std::string("\xEF\xBF\xBD");
        if (!codepage::Representable(character) &&
            std::find(refused.begin(), refused.end(), character) == refused.end())
            refused.push_back(character);
        at += length;
    }
    return refused;
}

std::string RefusedText(const std::vector<std::string>& refused) {
    namespace t = window_texts;
    if (refused.empty())
        return {};
    std::string text = refused.size() == 1 ? t::RefusedCharacterSingle : t::RefusedCharacterSeveral;
    for (std::size_t i = 0; i < refused.size(); ++i) {
        if (i > 0)
            text += i + 1 == refused.size() ? t::RefusedCharacterAnd : ", ";
        text += t::RefusedCharacterOpenQuote + refused[i] + t::RefusedCharacterCloseQuote;
    }
    text += refused.size() == 1 ? t::RefusedCharacterSingleEnd : t::RefusedCharacterSeveralEnd;
    return text + "\n" + t::RefusedCharacterReason;
}

} // namespace password_input
