// tessarin-cli: the encryption and decryption batches for scripts and terminals.

#include "cli_options.h"
#include "cli_window.h"

#include "core/batch_texts.h"
#include "core/batches.h"
#include "core/codepage.h"
#include "core/container.h"
#include "host/files.h"
#include "host/process.h"
#include "host/terminal.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

namespace {

constexpr int ExitOk = 0;
constexpr int ExitWarning = 1;
constexpr int ExitUsage = 2;
// The window's password boxes take no more, so every container made here opens there too.
constexpr std::size_t MaxPasswordLength = 32;

int UsageError(const std::string& message) {
    std::fprintf(stderr, "tessarin-cli: %s\nHilfe: tessarin-cli --help\n", message.c_str());
    return ExitUsage;
}

std::string FirstLine(std::istream& in) {
    std::string line;
    std::getline(in, line);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

// The password from the chosen source; an empty optional with the reason in error when there is none.
std::optional<std::string> ObtainPassword(const CliOptions& options, std::string& error) {
    if (options.passwordFile) {
        // The name is UTF-8; a path made from UTF-8 opens it on Windows too (not through the ANSI code page).
        const std::string& name = *options.passwordFile;
        std::ifstream in(std::filesystem::path(std::u8string(name.begin(), name.end())), std::ios::binary);
        if (!in) {
            error = "Passwortdatei nicht lesbar: " + *options.passwordFile;
            return std::nullopt;
        }
        return FirstLine(in);
    }
    if (options.passwordStdin)
        return FirstLine(std::cin);
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

std::string PasswordProblem(const std::string& password) {
    if (container::TrimSpaces(password).empty())
        return "das Passwort ist leer oder besteht nur aus Leerzeichen";
    if (codepage::CharCount(password) > MaxPasswordLength)
        return "das Passwort ist länger als 32 Zeichen";
    return {};
}

} // namespace

int main(int argc, char** argv) {
    host::InitProcess(argc, argv);
    host::PrepareConsole();
    const ParseResult parsed = ParseCommandLine(host::Arguments());
    if (!parsed.options)
        return UsageError(parsed.error);
    const CliOptions& options = *parsed.options;
    if (options.command == CliOptions::Command::Help) {
        std::fputs(HelpText, stdout);
        return ExitOk;
    }
    if (options.command == CliOptions::Command::Version) {
        std::fputs(VersionText, stdout);
        return ExitOk;
    }

    std::string error;
    const std::optional<std::string> password = ObtainPassword(options, error);
    if (!password)
        return UsageError(error);
    if (const std::string problem = PasswordProblem(*password); !problem.empty())
        return UsageError(problem);

    std::vector<std::string> files;
    for (const std::string& file : options.files)
        files.push_back(host::NativePath(file));

    // The batch skips what is not an ordinary file without a word; a script should hear of it.
    bool missing = false;
    for (const std::string& file : files) {
        if (!host::FileExists(file)) {
            std::fprintf(stderr, "Datei nicht gefunden oder keine gewöhnliche Datei: %s\n", file.c_str());
            missing = true;
        }
    }

    const bool encrypt = options.command == CliOptions::Command::Encrypt;
    const BatchSide side = encrypt ? BatchSide::Encrypt : BatchSide::Decrypt;
    CliWindow window(side, files, *password, !options.quiet && host::StandardErrorIsTerminal());
    window.SetNaming(!options.originalName, options.suffix);
    window.SetDecimalSeparator(host::EnvironmentDecimalSeparator());
    if (encrypt)
        cmdEnc_Click(window);
    else
        cmdDec_Click(window);
    window.EndStatusLine();
    return window.WarningCount() > 0 || missing ? ExitWarning : ExitOk;
}
