// The path helpers and the command-line intake against their invariants, with either separator.

#include "core/command_line.h"
#include "core/file_names.h"
#include "host/process.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void CheckSplit(const std::string& path, char separator) {
    const std::string folder = nur_Pfad(path, separator);
    const std::string name = NurName(path, separator);
    const std::string extension = NurExt(path, separator);
    const std::string file = Nurdatei(path, separator);
    if (folder + name + extension != path)
        std::abort();
    if (file != name + extension)
        std::abort();
    if (file.find(separator) != std::string::npos)
        std::abort();
    if (!folder.empty() && folder.back() != separator)
        std::abort();
    if (!extension.empty() && extension.front() != '.')
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckSplit(text, '\\');
    CheckSplit(text, '/');

    // Arguments joined the way the host joins them come back one item each, as long as none holds a
    // double quote or the item separator, and the first is not a lone space (its quotes and the space
    // between them read as a separator).
    std::vector<std::string> arguments;
    std::string current;
    for (char c : text) {
        if (c == '\n') {
            arguments.push_back(current);
            current.clear();
        } else if (c != '"' && c != '|') {
            current += c;
        }
    }
    arguments.push_back(current);
    if (arguments.front() != " " && SplitCommandLine(host::JoinArguments(arguments)) != arguments)
        std::abort();

    // Any text at all splits without failing, into items free of double quotes.
    for (const std::string& item : SplitCommandLine(text)) {
        if (item.find('"') != std::string::npos)
            std::abort();
        IsContainerPath(item, '/');
    }
    return 0;
}
