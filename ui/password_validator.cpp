#include "ui/password_validator.h"

#include "text/codepage.h"

QValidator::State PasswordValidator::validate(QString& input, int& /*position*/) const {
    return codepage::Representable(input.toStdString()) ? Acceptable : Invalid;
}
