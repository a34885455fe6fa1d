#pragma once

#include <string>
#include <vector>

namespace host {

// Records the program's arguments; the entry points call it first thing.
void InitProcess(int argc, char** argv);

// The arguments behind the program's own path as one text. Where the system hands them over already
// split, each is enclosed in double quotes and they are joined by single spaces.
std::string CommandLineText();
// The same joining rule for given arguments.
std::string JoinArguments(const std::vector<std::string>& arguments);

// The process's current directory, read at each call.
std::string CurrentDirectory();

constexpr int VersionMajor() {
    return 1;
}
constexpr int VersionMinor() {
    return 1;
}

// The program's file name without folder and extension.
std::string ExecutableName();

} // namespace host
