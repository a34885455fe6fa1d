// Paths and names on POSIX systems, the same whichever file layer serves them.

#include "host/files.h"
#include "host/posix_paths.h"
#include "host/system_reasons.h"

namespace host {

char PathSeparator() noexcept {
    return '/';
}

std::string NativePath(std::string path) {
    return path;
}

const char* NameProblem(const std::string& name) noexcept {
    return name.find('/') != std::string::npos ? reasons::SeparatorInName : nullptr;
}

bool FitsInName(const std::string& text) noexcept {
    return text.find_first_of("/\\") == std::string::npos;
}

std::string FolderPart(const std::string& path) {
    const std::size_t cut = path.rfind('/');
    return cut == std::string::npos ? "." : cut == 0 ? "/" : path.substr(0, cut);
}

std::string LastPart(const std::string& path) {
    const std::size_t cut = path.rfind('/');
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

} // namespace host
