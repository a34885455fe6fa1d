#include "host/process.h"

namespace host {

std::string JoinArguments(const std::vector<std::string>& arguments) {
    std::string text;
    for (const std::string& argument : arguments) {
        if (!text.empty())
            text += ' ';
        text += '"';
        text += argument;
        text += '"';
    }
    return text;
}

std::string TextBehindProgramPath(const std::string& commandLine) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t i = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        // No escapes inside the program's path (a quote cannot be part of a Windows file name), and
        // the path ends at its closing quote, as CommandLineToArgvW splits it.
        const std::size_t close = commandLine.find('"', 1);
        i = close == std::string::npos ? commandLine.size() : close + 1;
    } else {
        while (i < commandLine.size() && !isBlank(commandLine[i]))
            ++i;
    }
    while (i < commandLine.size() && isBlank(commandLine[i]))
        ++i;
    return commandLine.substr(i);
}

char DecimalSeparatorOf(const std::string& localeSeparator) {
    if (localeSeparator.size() != 1)
        return '.';
    const auto c = static_cast<unsigned char>(localeSeparator[0]);
    return c > 0x20 && c < 0x7F ? localeSeparator[0] : '.';
}

} // namespace host
