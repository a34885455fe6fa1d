#pragma once

// Text and path conversions shared by the Windows implementations of the host. The program keeps every
// text as UTF-8; the system's wide-character functions take and return UTF-16.

#include <string>

namespace host::windows {

// UTF-8 to UTF-16; invalid sequences become U+FFFD.
std::wstring Widen(const std::string& text);
// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string Narrow(const std::wstring& text);
std::string Narrow(const wchar_t* text, std::size_t length);

// The path as the wide-character file functions take it. A path too long for the classic limit of
// 260 characters is made absolute and given the \\?\ prefix (\\?\UNC\ for network paths), which lifts
// the limit; shorter paths pass unchanged, so relative paths and the current drive keep working.
std::wstring SystemPath(const std::string& path);

// The system's text for an error code, without the trailing line break.
std::string ErrorText(unsigned long code);

} // namespace host::windows
