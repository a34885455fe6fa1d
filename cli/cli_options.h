#pragma once

// The command line of tessarin-cli. Its synopsis is written once, in the help text
// (cli_texts::HelpText); the man page and the README are checked against it.

#include "core/batch_texts.h"

#include <optional>
#include <string>
#include <vector>

struct CliOptions {
    enum class Command { Encrypt, Decrypt, Verify, Help, Version };
    Command command = Command::Help;
    std::optional<std::string> passwordFile;
    bool passwordStdin = false;
    std::string suffix = texts::DefaultSuffix;
    bool originalName = false;
    bool toStandardOutput = false; // decrypt --stdout
    bool quiet = false;
    std::vector<std::string> files; // in the order given, exact repeats dropped
};

struct ParseResult {
    std::optional<CliOptions> options;
    std::string error; // set when options is empty: a usage error
};

ParseResult ParseCommandLine(const std::vector<std::string>& arguments);
