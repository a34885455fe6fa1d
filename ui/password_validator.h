#pragma once

#include <QValidator>

#include <functional>
#include <string>
#include <utility>

// Accepts only characters the program's 8-bit code page can hold. Passwords become one byte per
// character; a character outside the code page would turn into '?', so two different passwords could
// give the same key. A keystroke or paste that would bring such a character in is refused as a whole,
// the box keeps its text, and the refusal is reported with the message that says which characters it
// refused and why (window/password_input.h).
class PasswordValidator : public QValidator {
public:
    using Refused = std::function<void(const std::string& message)>;

    PasswordValidator(QObject* parent, Refused refused) : QValidator(parent), refused_(std::move(refused)) {}
    State validate(QString& input, int& position) const override;

private:
    Refused refused_;
};
