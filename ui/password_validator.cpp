#include "ui/password_validator.h"

#include "window/password_input.h"

QValidator::State PasswordValidator::validate(QString& input, int& /*position*/) const {
    const std::vector<std::string> refused = password_input::RefusedCharacters(input.toStdString());
    if (refused.empty())
        return Acceptable;
    if (refused_)
        refused_(password_input::RefusedText(refused));
    return Invalid;
}
