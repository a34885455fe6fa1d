#pragma once

// The system's multi-select open-file dialog (GetOpenFileNameW) and the translations between its
// fields and the window's texts.

#include "window/main_window.h"

#include <windows.h>

#include <string>

// Shows the dialog, modal to owner, opening in the request's folder; returns the result text
// (window/open_dialog.h): empty when cancelled or failed, else one path, or a folder followed by the
// chosen names, each after a NUL character.
std::string ShowOpenFiles(HWND owner, const OpenDialogRequest& request);

namespace open_files {

// The dialog's filter from "description|pattern|...": every '|' a NUL, ended by an empty string.
std::wstring SystemFilter(const std::string& filter);
// The default extension the dialog appends to a typed name without one, from a pattern: "rc4" for
// "*.rc4"; empty (no extension appended) for "*.*".
std::wstring DefaultExtension(const std::string& pattern);
// The result text from the dialog's file buffer: everything before its first pair of NUL characters,
// as UTF-8 with the single NULs kept.
std::string ResultText(const wchar_t* buffer, std::size_t size);

} // namespace open_files
