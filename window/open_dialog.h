#pragma once

// The open-file dialog's answer and what the Open buttons make of it, for every front end. The answer is
// one result text:
//   - empty: cancelled or failed;
//   - one full path: one file chosen;
//   - a folder followed by the chosen names, each preceded by a NUL character: several files chosen in
//     that folder. The folder ends in a separator only when it is a root.

#include <functional>
#include <string>
#include <vector>

namespace open_dialog {

// The entries of a folder that a name chosen in the dialog stands for. A dialog may show names through
// a lossy decoding (each byte that is no UTF-8 as a replacement character) and answer with the text it
// showed; shown gives an entry's name as the dialog shows it. An entry of exactly the chosen name is
// returned alone: it is the one the dialog showed, as Qt's own dialog lists only names that are UTF-8.
// Otherwise every entry that shows as the name, ordered by their bytes: names that show alike cannot
// be told apart in a dialog that lists them, so choosing one lists each of them under its real name,
// for the user to see in the list, rather than one picked by guess. When no entry shows as the name
// (it is gone, or the folder could not be read), the name itself.
std::vector<std::string> EntriesShownAs(const std::string& name, const std::vector<std::string>& entries,
                                        const std::function<std::string(const std::string&)>& shown);

// The part of text before the first occurrence of separator; all of text when it does not occur.
std::string LeftOfSeparator(const std::string& text, const std::string& separator);

// The paths a result text adds to a list. For the encryption list, a name is trimmed of spaces, and a
// full path standing where a name belongs (the dialog reports a chosen shortcut by its target) becomes
// the shortcut file in the chosen folder: folder, target's file name, ".lnk". The decryption list takes
// every name as it stands. Empty names are skipped.
std::vector<std::string> ResultPaths(const std::string& result, bool encryptionList, char separator);

} // namespace open_dialog
