#pragma once

// What a password box does with text that a password cannot hold, for every window front end: the box
// refuses the change as a whole and shows the user this message.

#include <string>
#include <string_view>
#include <vector>

namespace password_input {

// The characters of a UTF-8 text that Windows-1252 does not hold, each once, in the order they first
// occur; none when the text can be a password's characters. A malformed byte counts as U+FFFD, which
// the code page does not hold either.
std::vector<std::string> RefusedCharacters(std::string_view utf8);

// Why the box did not take the characters: "Das Zeichen „ł“ kann nicht Teil des Passworts sein." (or
// "Die Zeichen „ł“, „ę“ und „✓“ können ..."), then on a line of its own the rule. Empty for none.
std::string RefusedText(const std::vector<std::string>& refused);

} // namespace password_input
