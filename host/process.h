#pragma once

#include "version.h"

#include <string>
#include <vector>

namespace host {

// Records the program's arguments; the entry points call it first thing.
void InitProcess(int argc, char** argv);

// The program's arguments behind its own path, each as UTF-8 text. On Windows they come from the
// wide-character command line, so names outside the ANSI code page arrive intact.
std::vector<std::string> Arguments();

// The arguments behind the program's own path as one text. Where the system hands them over already
// split, each is enclosed in double quotes and they are joined by single spaces.
std::string CommandLineText();
// Whether CommandLineText is the system's own raw argument text (Windows), which only the window's
// intake splits into items; elsewhere the arguments arrive split and CommandLineText joins them.
bool CommandLineIsRawText();
// The same joining rule for given arguments.
std::string JoinArguments(const std::vector<std::string>& arguments);
// What CommandLineText returns for a whole command line as Windows hands it over: the text behind the
// program's path, which stands first (in double quotes up to the next quote, or unquoted up to the
// first blank), with the blanks after the path removed. Everything else is kept as typed.
std::string TextBehindProgramPath(const std::string& commandLine);

// The process's current directory, read at each call.
std::string CurrentDirectory();

constexpr int VersionMajor() {
    return version::Major;
}
constexpr int VersionMinor() {
    return version::Minor;
}

// The program's file name without folder and extension.
std::string ExecutableName();

// The decimal separator of the user's locale settings (LC_ALL, LC_NUMERIC or LANG on POSIX systems, the
// user's regional settings on Windows), read at each call without changing the process's own locale,
// as DecimalSeparatorOf makes it fit the time text; '.' where none can be read.
char DecimalSeparator();
// The separator the time text can show for a locale's separator (UTF-8): that character when it is one
// ASCII character; '.' for none, for several characters and for one outside ASCII, since the time text
// has room for one byte.
char DecimalSeparatorOf(const std::string& localeSeparator);

} // namespace host
