#include "window/uri_list.h"

#include <optional>

namespace uri_list {
namespace {

constexpr char Percent = '%';

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

bool EqualIgnoringCase(const std::string& text, const std::string& lower) {
    if (text.size() != lower.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (Lower(text[i]) != lower[i])
            return false;
    return true;
}

std::string PercentDecoded(const std::string& text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == Percent && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            bytes += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            bytes += text[i];
        }
    }
    return bytes;
}

// The local path one line names, if any.
std::optional<std::string> LocalPath(std::string line) {
    const std::size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos || line[first] == '#')
        return std::nullopt;
    line = line.substr(first, line.find_last_not_of(" \t\r") + 1 - first);

    const std::string scheme = "file:";
    if (line.size() < scheme.size() || !EqualIgnoringCase(line.substr(0, scheme.size()), scheme))
        return std::nullopt;
    std::string rest = line.substr(scheme.size());
    if (rest.compare(0, 2, "//") == 0) {
        const std::size_t pathStart = rest.find('/', 2);
        const std::string host =
            rest.substr(2, pathStart == std::string::npos ? std::string::npos : pathStart - 2);
        if (!host.empty() && !EqualIgnoringCase(host, "localhost"))
            return std::nullopt;
        rest = pathStart == std::string::npos ? std::string() : rest.substr(pathStart);
    }
    rest = rest.substr(0, rest.find_first_of("?#"));
    if (rest.empty() || rest.front() != '/')
        return std::nullopt;
    std::string path = PercentDecoded(rest);
    if (path.find('\0') != std::string::npos)
        return std::nullopt;
    return path;
}

} // namespace

std::vector<std::string> LocalPaths(const std::string& text) {
    std::vector<std::string> paths;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find_first_of(std::string("\n\0", 2), start);
        if (end == std::string::npos)
            end = text.size();
        if (std::optional<std::string> path = LocalPath(text.substr(start, end - start)))
            paths.push_back(std::move(*path));
        start = end + 1;
    }
    return paths;
}

} // namespace uri_list
