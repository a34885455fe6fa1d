#include "cli/password_source.h"

#include "cli/cli_texts.h"
#include "core/batch_texts.h"
#include "core/container.h"
#include "core/input_rules.h"
#include "host/terminal.h"
#include "text/codepage.h"

#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

// Far beyond any password the program takes, and small enough that an endless source ends at once.
constexpr std::size_t LineLimit = 4096;
constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";

} // namespace

std::optional<std::string> FirstLine(std::istream& in, std::string& error) {
    std::string line;
    for (char c; line.size() <= LineLimit && in.get(c) && c != '\n';)
        line += c;
    if (in.bad()) {
        error = cli_texts::PasswordSourceUnreadable;
        return std::nullopt;
    }
    if (line.size() > LineLimit) {
        error = cli_texts::PasswordLineTooLong;
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
            error = cli_texts::PasswordFileIsFolder + name;
            return std::nullopt;
        }
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            error = cli_texts::PasswordFileUnreadable + name;
            return std::nullopt;
        }
        return FirstLine(in, error);
    }
    if (options.passwordStdin)
        return FirstLine(std::cin, error);
    const auto first = host::ReadPasswordFromTerminal(cli_texts::Prompt);
    if (!first) {
        error = cli_texts::NoTerminal;
        return std::nullopt;
    }
    if (options.command == CliOptions::Command::Encrypt) {
        const auto again = host::ReadPasswordFromTerminal(cli_texts::PromptAgain);
        if (!again || *again != *first) {
            error = texts::PasswordsDiffer;
            return std::nullopt;
        }
    }
    return first;
}

std::string PasswordProblem(const std::string& password, bool encrypt) {
    if (password.empty())
        return cli_texts::PasswordEmpty;
    if (encrypt && container::TrimSpaces(password).empty())
        return cli_texts::PasswordOnlySpaces;
    if (const char* problem = ::PasswordProblem(password))
        return problem;
    return {};
}
