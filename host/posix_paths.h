#pragma once

// How the POSIX file layers split a path into the folder that holds its last part and that part.

#include <string>

namespace host {

// The folder part of a path: "." for a bare name, "/" for a name in the root.
std::string FolderPart(const std::string& path);
// The part behind the last separator: the name a folder-relative operation takes.
std::string LastPart(const std::string& path);

} // namespace host
