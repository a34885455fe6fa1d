#pragma once

// The system's multi-select open-file dialog (GetOpenFileNameW), the translations between its fields
// and the window's texts, and its answer, the result text, decoded into the paths a list takes. The
// result text is one of:
//   - empty: cancelled or failed;
//   - one full path: one file chosen;
//   - a folder followed by the chosen names, each preceded by a NUL character: several files chosen in
//     that folder. The folder ends in a backslash only when it is a drive's root.

#include "window/main_window.h"

#include <windows.h>

#include <string>
#include <vector>

// Shows the dialog, modal to owner, opening in the request's folder; returns the result text.
std::string ShowOpenFiles(HWND owner, const OpenDialogRequest& request);

namespace open_files {

// The dialog's filter from "description|pattern|...": every '|' a NUL, ended by an empty string.
std::wstring SystemFilter(const std::string& filter);
// The result text from the dialog's file buffer: everything before its first pair of NUL characters,
// as UTF-8 with the single NULs kept.
std::string ResultText(const wchar_t* buffer, std::size_t size);

// The part of text before the first occurrence of separator; all of text when it does not occur.
std::string LeftOfSeparator(const std::string& text, const std::string& separator);

// The paths a result text adds to a list. For the encryption list, a name is trimmed of spaces (the
// dialog pads names with them), and a full path standing where a name belongs (the dialog reports a
// chosen shortcut by its target) becomes the shortcut file in the chosen folder: folder, target's file
// name, ".lnk". The decryption list takes every name as it stands. Empty names are skipped.
std::vector<std::string> ResultPaths(const std::string& result, bool encryptionList);

} // namespace open_files
