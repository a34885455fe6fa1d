#include "win32/open_files.h"

#include "core/container.h"
#include "core/file_names.h"
#include "host/windows_text.h"
#include "window/open_dialog.h"

#include <commdlg.h>

#include <vector>

using host::windows::Narrow;
using host::windows::Widen;

namespace open_files {

std::wstring SystemFilter(const std::string& filter) {
    std::wstring wide = Widen(filter + "||");
    for (wchar_t& c : wide)
        if (c == L'|')
            c = L'\0';
    return wide;
}

std::string ResultText(const wchar_t* buffer, std::size_t size) {
    return LeftOfSeparator(Narrow(buffer, size), std::string(2, '\0'));
}

std::string LeftOfSeparator(const std::string& text, const std::string& separator) {
    const std::size_t at = text.find(separator);
    return at == std::string::npos ? text : text.substr(0, at);
}

std::vector<std::string> ResultPaths(const std::string& result, bool encryptionList) {
    constexpr char Separator = '\\';
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
    if (folder.empty() || folder.back() != Separator)
        folder += Separator;
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
        const std::string file = Nurdatei(name, Separator);
        // A full path where a name belongs is a shortcut reported by its target: the shortcut file in
        // the chosen folder is what gets listed.
        paths.push_back(file == name ? folder + name : folder + file + ".lnk");
    }
    return paths;
}

} // namespace open_files

std::string ShowOpenFiles(HWND owner, const OpenDialogRequest& request) {
    // Room for many names chosen at once; a choice that does not fit fails as a whole.
    constexpr DWORD BufferSize = 32767;
    std::vector<wchar_t> buffer(BufferSize, L'\0');
    const std::wstring filter = open_files::SystemFilter(request.filter);
    const std::wstring folder = Widen(request.initialFolder);
    const std::wstring title = Widen(request.title);
    // The dialog takes an extension without its dot.
    const std::wstring extension = Widen(open_dialog::DefaultSuffix(request.defaultExtension));

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = BufferSize;
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.c_str();
    // 0x00281A04. Without OFN_NOCHANGEDIR the dialog moves the current directory to the chosen folder,
    // where the next dialog then opens.
    dialog.Flags = OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST |
                   OFN_EXPLORER | OFN_LONGNAMES;
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    if (!::GetOpenFileNameW(&dialog))
        return {};
    return open_files::ResultText(buffer.data(), buffer.size());
}
