#pragma once

// How every message of tessarin-cli leaves the program: on standard error, by one rule.
//   - A usage error (exit 2) is the line "tessarin-cli: " + text, then the line
//     "Hilfe: tessarin-cli --help". Its control characters are escaped, since it may quote an argument.
//   - A warning (exit 1: the batches' messages, file errors, a file passed over) is its text as it
//     stands, without a prefix, each CR LF line break of the window's message boxes written as one line
//     break, and one line break at the end. Names in it have been escaped by the one who put them in
//     (CliWindow::ShownName).
// Standard output carries only what was asked for: the help, the version, and the restored bytes of
// decrypt --stdout.

#include <string>

enum class MessageKind { Usage, Warning };

void Report(MessageKind kind, const std::string& text);

// The text with every control character (C0, DEL, C1) and every byte that is not UTF-8 written as an
// escape (\n, \r, \t, \xHH, \u00HH), as ls and git print names: a file name must not clear the
// screen, set the terminal's title or start a line of its own.
std::string EscapeControls(const std::string& text);
