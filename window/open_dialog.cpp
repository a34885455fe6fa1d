#include "window/open_dialog.h"

#include <algorithm>

namespace open_dialog {

std::string DefaultSuffix(const std::string& pattern) {
    std::string suffix = pattern;
    if (suffix.rfind("*.", 0) == 0)
        suffix.erase(0, 2);
    else if (suffix.rfind('.', 0) == 0)
        suffix.erase(0, 1);
    return suffix.find_first_of("*?") == std::string::npos ? suffix : std::string();
}

std::vector<std::string> EntriesShownAs(const std::string& name, const std::vector<std::string>& entries,
                                        const std::function<std::string(const std::string&)>& shown) {
    if (std::find(entries.begin(), entries.end(), name) != entries.end())
        return {name};
    std::vector<std::string> matches;
    for (const std::string& entry : entries)
        if (shown(entry) == name)
            matches.push_back(entry);
    if (matches.empty())
        return {name};
    std::sort(matches.begin(), matches.end());
    return matches;
}

} // namespace open_dialog
