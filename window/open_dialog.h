#pragma once

// What the Open buttons' dialogs share in every front end: the default extension a typed name gets, and
// the entries a name chosen through a lossy decoding stands for.

#include <functional>
#include <string>
#include <vector>

namespace open_dialog {

// The extension (without its dot) a dialog appends to a typed name that has none, for the pattern of
// the button's files: "rc4" for "*.rc4", "tar.gz" for "*.tar.gz"; empty, so that nothing is appended,
// for a pattern that still holds a wildcard after its "*." ("*.*").
std::string DefaultSuffix(const std::string& pattern);

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

} // namespace open_dialog
