#include "core/command_line.h"

#include "core/file_names.h"
#include "host/process.h"

#include <algorithm>

std::vector<std::string> SplitCommandLine(const std::string& text) {
    static const std::string quoteSpaceQuote = "\" \"";
    std::string joined;
    joined.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, quoteSpaceQuote.size(), quoteSpaceQuote) == 0) {
            joined += '|';
            i += quoteSpaceQuote.size();
        } else {
            if (text[i] != '"')
                joined += text[i];
            ++i;
        }
    }
    std::vector<std::string> items;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = joined.find('|', start);
        items.push_back(joined.substr(start, bar - start));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    return items;
}

bool IsContainerPath(const std::string& path, char separator) {
    if (path.empty())
        return false;
    std::string extension = NurExt(path, separator);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return extension == ".rc4";
}

bool IsContainerName(const std::string& path, char separator) {
    return IsContainerPath(path, separator) && !NurName(path, separator).empty();
}

std::vector<std::string> CommandLineItems() {
    if (host::CommandLineIsRawText())
        return CommandLineItems(host::CommandLineText());
    return host::Arguments();
}

std::vector<std::string> CommandLineItems(const std::string& rawText) {
    if (rawText.empty())
        return {};
    return SplitCommandLine(rawText);
}
