#include "core/input_rules.h"

#include "core/batch_texts.h"
#include "core/container.h"
#include "host/files.h"
#include "text/codepage.h"

const char* PasswordProblem(const std::string& password) {
    if (!codepage::Representable(password))
        return texts::PasswordOutsideCodePage;
    if (codepage::CharCount(password) > container::MaxPasswordLength)
        return texts::PasswordTooLong;
    return nullptr;
}

const char* SuffixProblem(const std::string& suffix) {
    if (suffix.find_first_of("/\\") != std::string::npos)
        return texts::SuffixWithSeparator;
    if (!host::FitsInName(suffix))
        return texts::SuffixCharacterRefused;
    return nullptr;
}
