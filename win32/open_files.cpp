#include "win32/open_files.h"

#include "host/windows_text.h"

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

std::wstring DefaultExtension(const std::string& pattern) {
    const std::size_t dot = pattern.rfind('.');
    const std::string extension = dot == std::string::npos ? pattern : pattern.substr(dot + 1);
    // The dialog takes an extension without its dot; "*" stands for none.
    return extension.find_first_of("*?") == std::string::npos ? Widen(extension) : std::wstring();
}

std::string ResultText(const wchar_t* buffer, std::size_t size) {
    std::size_t length = 0;
    while (length + 1 < size && !(buffer[length] == L'\0' && buffer[length + 1] == L'\0'))
        ++length;
    return Narrow(buffer, length);
}

} // namespace open_files

std::string ShowOpenFiles(HWND owner, const OpenDialogRequest& request) {
    // Room for many names chosen at once; a choice that does not fit fails as a whole.
    constexpr DWORD BufferSize = 32767;
    std::vector<wchar_t> buffer(BufferSize, L'\0');
    const std::wstring filter = open_files::SystemFilter(request.filter);
    const std::wstring folder = Widen(request.initialFolder);
    const std::wstring title = Widen(request.title);
    const std::wstring extension = open_files::DefaultExtension(request.defaultExtension);

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
