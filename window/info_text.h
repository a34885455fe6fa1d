#pragma once

#include <string>

// The info window's texts, UTF-8.
namespace info_text {

// The info text, its lines broken by CR LF, without a final line break.
std::string Text();
// "Version: " with the program's major and minor version, "Version: 1.1".
std::string VersionText();

} // namespace info_text
