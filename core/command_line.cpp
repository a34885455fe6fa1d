#include "core/command_line.h"

#include "host/process.h"

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
