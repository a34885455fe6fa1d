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

} // namespace host
