#pragma once

// The names under which outputs are written until they are complete, the same on every system.

#include <string>

namespace host {

// A name for the output called name, to be created exclusively beside it: name, ".tessarin-", six
// random letters or digits and ".tmp", so that a file left behind by a killed run tells what it is and
// which output it was for. A long name is cut (at a character's start) so the whole stays within
// maxBytes. Each call gives another random part.
std::string TemporaryName(const std::string& name, std::size_t maxBytes = 255);

// Whether name is one that TemporaryName gives for some output.
bool IsTemporaryName(const std::string& name) noexcept;

} // namespace host
