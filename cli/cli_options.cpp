#include "cli/cli_options.h"

#include "cli/cli_texts.h"
#include "core/input_rules.h"

#include <unordered_set>

namespace {

ParseResult Usage(const std::string& error) {
    return ParseResult{std::nullopt, error};
}

} // namespace

ParseResult ParseCommandLine(const std::vector<std::string>& arguments) {
    CliOptions options;
    if (arguments.empty())
        return Usage(cli_texts::NoCommand);
    const std::string& command = arguments[0];
    if (command == "--help" || command == "-h") {
        options.command = CliOptions::Command::Help;
        return {options, {}};
    }
    if (command == "--version") {
        options.command = CliOptions::Command::Version;
        return {options, {}};
    }
    if (command == "encrypt")
        options.command = CliOptions::Command::Encrypt;
    else if (command == "decrypt")
        options.command = CliOptions::Command::Decrypt;
    else if (command == "verify")
        options.command = CliOptions::Command::Verify;
    else
        return Usage(cli_texts::UnknownCommand + command);

    const bool decrypt = options.command == CliOptions::Command::Decrypt;
    bool suffixGiven = false;
    bool onlyFiles = false;
    // The files kept so far, so that a repeat is found at once, however many files are given.
    std::unordered_set<std::string> kept;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (onlyFiles || argument.empty() || argument[0] != '-' || argument == "-") {
            if (kept.insert(argument).second)
                options.files.push_back(argument);
            continue;
        }
        if (argument == "--") {
            onlyFiles = true;
        } else if (argument == "-q" || argument == "--quiet") {
            options.quiet = true;
        } else if (argument == "--password-stdin") {
            options.passwordStdin = true;
        } else if (argument == "--password-file") {
            if (++i == arguments.size())
                return Usage(cli_texts::PasswordFileNeedsName);
            options.passwordFile = arguments[i];
        } else if (decrypt && argument == "--suffix") {
            if (++i == arguments.size())
                return Usage(cli_texts::SuffixNeedsText);
            options.suffix = arguments[i];
            suffixGiven = true;
            // A suffix is part of a file name; a separator would move the output into another folder.
            // Both systems' separators are refused, so a script behaves alike on either.
            if (const char* problem = SuffixProblem(options.suffix))
                return Usage(problem + options.suffix);
        } else if (decrypt && argument == "--original-name") {
            options.originalName = true;
        } else if (decrypt && argument == "--stdout") {
            options.toStandardOutput = true;
        } else {
            return Usage(cli_texts::UnknownOption + argument);
        }
    }
    if (options.passwordFile && options.passwordStdin)
        return Usage(cli_texts::TwoPasswordSources);
    if (suffixGiven && options.originalName)
        return Usage(cli_texts::TwoNamings);
    if (options.toStandardOutput && (suffixGiven || options.originalName))
        return Usage(cli_texts::StdoutWithNaming);
    if (options.toStandardOutput && options.files.size() > 1)
        return Usage(cli_texts::StdoutOneFile);
    if (options.files.empty())
        return Usage(cli_texts::NoFiles);
    return {options, {}};
}
