#pragma once

// What the command-line program needs of the terminal: whether standard error is one, a password
// prompt without echo, and the decimal separator of the user's locale settings.

#include <optional>
#include <string>

namespace host {

bool StandardErrorIsTerminal();

// Shows the prompt on the terminal and reads one line without echo; empty when there is no terminal.
std::optional<std::string> ReadPasswordFromTerminal(const std::string& prompt);

// The decimal separator the environment's locale settings (LC_ALL, LC_NUMERIC, LANG) ask for.
char EnvironmentDecimalSeparator();

} // namespace host
