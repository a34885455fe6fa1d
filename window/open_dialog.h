#pragma once

// The open-file dialog's answer and what the Open buttons make of it, for every front end. The answer is
// one result text:
//   - empty: cancelled or failed;
//   - one full path: one file chosen;
//   - a folder followed by the chosen names, each preceded by a NUL character: several files chosen in
//     that folder. The folder ends in a separator only when it is a root.

#include <string>
#include <vector>

namespace open_dialog {

// The part of text before the first occurrence of separator; all of text when it does not occur.
std::string LeftOfSeparator(const std::string& text, const std::string& separator);

// The paths a result text adds to a list. For the encryption list, a name is trimmed of spaces, and a
// full path standing where a name belongs (the dialog reports a chosen shortcut by its target) becomes
// the shortcut file in the chosen folder: folder, target's file name, ".lnk". The decryption list takes
// every name as it stands. Empty names are skipped.
std::vector<std::string> ResultPaths(const std::string& result, bool encryptionList, char separator);

} // namespace open_dialog
