#pragma once

#include <QValidator>

// Accepts only characters the program's 8-bit code page can hold. Passwords become one byte per
// character; a character outside the code page would turn into '?', so two different passwords could
// give the same key. Such characters are refused as they are typed or pasted.
class PasswordValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};
