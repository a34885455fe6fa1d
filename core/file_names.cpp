#include "core/file_names.h"

#include <algorithm>

namespace {

// Start of the file name part: one past the last separator, or 0 when there is none.
std::string::size_type NameStart(const std::string& path, char separator) {
    const auto sep = path.rfind(separator);
    return sep == std::string::npos ? 0 : sep + 1;
}

// Position of the dot that starts the extension, or npos when the file name part has no dot. A dot in
// a folder name lies before the name's start and so does not count.
std::string::size_type ExtensionStart(const std::string& path, char separator) {
    const auto dot = path.rfind('.');
    return dot != std::string::npos && dot >= NameStart(path, separator) ? dot : std::string::npos;
}

} // namespace

std::string Nurdatei(const std::string& path, char separator) {
    return path.substr(NameStart(path, separator));
}

std::string nur_Pfad(const std::string& Dateiname, char separator) {
    return Dateiname.substr(0, NameStart(Dateiname, separator));
}

std::string NurName(const std::string& Dateiname, char separator) {
    const auto start = NameStart(Dateiname, separator);
    const auto dot = ExtensionStart(Dateiname, separator);
    return dot == std::string::npos ? Dateiname.substr(start) : Dateiname.substr(start, dot - start);
}

std::string NurExt(const std::string& lzFile, char separator) {
    const auto dot = ExtensionStart(lzFile, separator);
    return dot == std::string::npos ? std::string() : lzFile.substr(dot);
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
