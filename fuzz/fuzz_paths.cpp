// The path helpers and the command-line intake against their invariants, with either separator, and
// the drop list: paths written here as a text/uri-list come back exactly.

#include "core/command_line.h"
#include "core/file_names.h"
#include "host/process.h"
#include "window/uri_list.h"

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

// A drop list naming the paths the input holds, written in the forms programs use: "file:" in any
// letter case, with an empty host, "localhost" or none, CR LF or LF, comments and blank lines between.
// Each line of the input is one path: its first byte picks the form, the rest are the bytes of the name
// after a leading '/'. Returns the paths the list must give back: all but those holding a NUL byte.
std::vector<std::string> WriteDropList(const std::string& input, std::string& list) {
    static const char Hex[] = "0123456789ABCDEF0123456789abcdef";
    std::vector<std::string> expected;
    for (std::size_t start = 0; start < input.size();) {
        std::size_t end = input.find('\n', start);
        if (end == std::string::npos)
            end = input.size();
        // An empty line of the input names the root in the plainest form.
        const std::uint8_t form = end == start ? 0 : static_cast<std::uint8_t>(input[start]);
        const std::string path = "/" + (end == start ? "" : input.substr(start + 1, end - start - 1));
        start = end + 1;

        const char* lineEnd = form & 1 ? "\r\n" : "\n";
        if (form & 2)
            list += std::string(form & 4 ? "  # Kommentar" : "#") + lineEnd;
        if (form & 8)
            list += std::string(form & 4 ? " \t" : "") + lineEnd;
        const char scheme[] = "file:";
        for (std::size_t i = 0; i < 5; ++i)
            list += (form >> (i + 3) & 1) && scheme[i] != ':' ? static_cast<char>(scheme[i] - 'a' + 'A')
                                                              : scheme[i];
        // Without a host part the path must not begin with "//", which would read as one.
        const int host = path.starts_with("//") ? 1 + form % 2 : form % 3;
        if (host == 1)
            list += "//";
        else if (host == 2)
            list += form & 16 ? "//LocalHost" : "//localhost";
        for (std::size_t i = 0; i < path.size(); ++i) {
            const auto c = static_cast<std::uint8_t>(path[i]);
            const bool plain =
                (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                (c != 0 && std::string_view("/-._~").find(static_cast<char>(c)) != std::string_view::npos);
            // The leading '/' stays, as it tells an absolute path; other plain bytes are encoded now and
            // then.
            if (i == 0 || (plain && !(form & 32 && c % 3 == 0))) {
                list += static_cast<char>(c);
            } else {
                const std::size_t letters = form & 64 ? 16 : 0;
                list += '%';
                list += Hex[letters + c / 16];
                list += Hex[letters + c % 16];
            }
        }
        list += lineEnd;
        if (path.find('\0') == std::string::npos)
            expected.push_back(path);
    }
    return expected;
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
    const std::vector<std::string> items = SplitCommandLine(text);
    for (const std::string& item : items) {
        if (item.find('"') != std::string::npos)
            std::abort();
        IsContainerPath(item, '/');
    }
    if (CommandLineItems(text) != (text.empty() ? std::vector<std::string>{} : items))
        std::abort();

    // Any text as a drop list gives absolute paths free of NUL bytes; a list written here gives back
    // exactly its paths.
    for (const std::string& path : uri_list::LocalPaths(text))
        if (path.empty() || path.front() != '/' || path.find('\0') != std::string::npos)
            std::abort();
    std::string list;
    const std::vector<std::string> expected = WriteDropList(text, list);
    if (uri_list::LocalPaths(list) != expected)
        std::abort();
    return 0;
}
