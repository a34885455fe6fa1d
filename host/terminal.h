#pragma once

// What the command-line program needs of the terminal: whether standard error is one, and a password
// prompt without echo.

#include <optional>
#include <string>

namespace host {

// Makes a Windows console show the program's UTF-8 output and the line-editing escapes of the status
// line; the console's previous settings come back when the program ends. Nothing to do elsewhere.
void PrepareConsole();

bool StandardErrorIsTerminal();
bool StandardOutputIsTerminal();

// Shows the prompt on the terminal and reads one line without echo; empty when there is no terminal.
// On POSIX systems a request to end the program meanwhile (Ctrl+C, SIGTERM, SIGHUP, SIGQUIT) gives the
// terminal its settings back first, then ends the program by that signal.
std::optional<std::string> ReadPasswordFromTerminal(const std::string& prompt);

} // namespace host
