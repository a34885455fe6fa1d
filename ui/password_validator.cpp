#include "ui/password_validator.h"

#include "core/codepage.h"

QValidator::State PasswordValidator::validate(QString& input, int& /*position*/) const {
    for (const char32_t character : input.toUcs4()) {
        if (character == U'?')
            continue;
        const QByteArray utf8 = QString::fromUcs4(&character, 1).toUtf8();
        if (codepage::ToAnsi(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size()))) == "?")
            return Invalid;
    }
    return Acceptable;
}
