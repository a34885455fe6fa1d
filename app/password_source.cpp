#include "password_source.h"

#include "core/batch_texts.h"
#include "core/codepage.h"
#include "core/container.h"
#include "host/terminal.h"

#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

// Far beyond any password the program takes, and small enough that an endless source ends at once.
constexpr std::size_t LineLimit = 4096;
// The window's password boxes take no more.
constexpr std::size_t MaxPasswordLength = 32;
constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";

} // namespace

std::optional<std::string> FirstLine(std::istream& in, std::string& error) {
    std::string line;
    for (char c; line.size() <= LineLimit && in.get(c) && c != '\n';)
        line += c;
    if (in.bad()) {
        error = "die Passwortquelle ist nicht lesbar";
        return std::nullopt;
    }
    if (line.size() > LineLimit) {
        error = "die erste Zeile der Passwortquelle ist länger als " + std::to_string(LineLimit) + " Bytes";
        return std::nullopt;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.starts_with(ByteOrderMark))
        line.erase(0, sizeof ByteOrderMark - 1);
    return line;
}

std::optional<std::string> ObtainPassword(const CliOptions& options, std::string& error) {
    if (options.passwordFile) {
        // The name is UTF-8; a path made from UTF-8 opens it on Windows too (not through the ANSI code page).
        const std::string& name = *options.passwordFile;
        const std::filesystem::path path(std::u8string(name.begin(), name.end()));
        std::error_code ec;
        if (std::filesystem::is_directory(path, ec)) {
            error = "die Passwortdatei ist ein Ordner: " + name;
            return std::nullopt;
        }
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            error = "die Passwortdatei ist nicht lesbar: " + name;
            return std::nullopt;
        }
        return FirstLine(in, error);
    }
    if (options.passwordStdin)
        return FirstLine(std::cin, error);
    const auto first = host::ReadPasswordFromTerminal("Passwort: ");
    if (!first) {
        error = "kein Terminal für die Passworteingabe: --password-file oder --password-stdin angeben";
        return std::nullopt;
    }
    if (options.command == CliOptions::Command::Encrypt) {
        const auto again = host::ReadPasswordFromTerminal("Wiederholung: ");
        if (!again || *again != *first) {
            error = texts::PasswordsDiffer;
            return std::nullopt;
        }
    }
    return first;
}

std::string PasswordProblem(const std::string& password, bool encrypt) {
    if (password.empty())
        return "das Passwort ist leer";
    if (encrypt && container::TrimSpaces(password).empty())
        return "das Passwort besteht nur aus Leerzeichen";
    if (!codepage::Representable(password))
        return "das Passwort enthält ein Zeichen, das die Codepage Windows-1252 nicht kennt, oder ist kein "
               "gültiges UTF-8 (ein Passwort wird Zeichen für Zeichen zu einem Byte)";
    if (codepage::CharCount(password) > MaxPasswordLength)
        return "das Passwort ist länger als 32 Zeichen";
    return {};
}
