#include "ui/password_validator.h"

#include "core/codepage.h"

QValidator::State PasswordValidator::validate(QString& input, int& /*position*/) const {
    // Every character the code page holds comes back unchanged; any other has turned into '?'.
    const std::string text = input.toStdString();
    return codepage::FromAnsi(codepage::ToAnsi(text)) == text ? Acceptable : Invalid;
}
