#include "window/open_dialog.h"

#include "core/container.h"
#include "core/file_names.h"

#include <algorithm>

namespace open_dialog {

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

std::string LeftOfSeparator(const std::string& text, const std::string& separator) {
    const std::size_t at = text.find(separator);
    return at == std::string::npos ? text : text.substr(0, at);
}

std::vector<std::string> ResultPaths(const std::string& result, bool encryptionList, char separator) {
    if (result.empty())
        return {};
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = result.find('\0', start);
        parts.push_back(result.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    if (parts.size() == 1)
        return parts;

    std::string folder = parts.front();
    if (folder.empty() || folder.back() != separator)
        folder += separator;
    std::vector<std::string> paths;
    for (std::size_t k = 1; k < parts.size(); ++k) {
        if (parts[k].empty())
            continue;
        if (!encryptionList) {
            paths.push_back(folder + parts[k]);
            continue;
        }
        // Only spaces are trimmed, as the dialog pads names with them.
        const std::string name = container::TrimSpaces(parts[k]);
        const std::string file = Nurdatei(name, separator);
        // A full path where a name belongs is a shortcut reported by its target: the shortcut file in
        // the chosen folder is what gets listed.
        paths.push_back(file == name ? folder + name : folder + file + ".lnk");
    }
    return paths;
}

} // namespace open_dialog
