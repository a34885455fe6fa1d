#pragma once

// Turning the program's argument text into list items: the paths are expected each in double quotes,
// separated by single spaces, as the host hands them over.

#include <string>
#include <vector>

// Replaces every `" "` (quote, space, quote) by a separator, drops the remaining quotes and splits at
// the separators. Empty items stay; an unquoted text with spaces stays one item.
std::vector<std::string> SplitCommandLine(const std::string& text);

// Whether the path's extension is ".rc4" in any letter case: such items belong to the list to decrypt.
bool IsContainerPath(const std::string& path, char separator);
