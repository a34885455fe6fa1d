#pragma once

// Turning the program's argument text into list items: the paths are expected each in double quotes,
// separated by single spaces, as the host hands them over.

#include <string>
#include <vector>

// Replaces every `" "` (quote, space, quote) by a separator, drops the remaining quotes and splits at
// the separators. Empty items stay; an unquoted text with spaces stays one item.
std::vector<std::string> SplitCommandLine(const std::string& text);

// The window's list items from the program's arguments. Where the system hands over one raw argument
// text (Windows), that text split by SplitCommandLine; an empty text gives no items. Elsewhere the
// arguments arrive split, and each is one item whatever characters it holds.
std::vector<std::string> CommandLineItems();
// The items of a raw argument text: none for an empty text, else SplitCommandLine.
std::vector<std::string> CommandLineItems(const std::string& rawText);
