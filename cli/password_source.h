#pragma once

// Where tessarin-cli takes its password from, and what it accepts: the same passwords the window's
// boxes take, so every container made here opens there too.

#include "cli/cli_options.h"

#include <istream>
#include <optional>
#include <string>

// The first line of a password source: without its line end (LF or CR LF) and without a UTF-8
// byte-order mark before it, as editors on Windows write one. Empty with the reason in error when the
// line runs past a few KiB (an endless source such as /dev/zero) or the source cannot be read.
std::optional<std::string> FirstLine(std::istream& in, std::string& error);

// The password from the chosen source: the file, standard input, or the terminal (asked twice when
// encrypting). Empty with the reason in error when there is none.
std::optional<std::string> ObtainPassword(const CliOptions& options, std::string& error);

// Why the password cannot be used, or an empty text: empty (for encryption also spaces only), a
// character the program's code page cannot hold or malformed UTF-8, more than 32 characters.
std::string PasswordProblem(const std::string& password, bool encrypt);
