#pragma once

// Splitting a path into folder, file name, name without extension and extension, and telling a
// container's name by its extension, on the text alone.
// The separator is a parameter: '\\' for Windows paths, '/' for POSIX paths (host::PathSeparator()).
// For every path, nur_Pfad + NurName + NurExt gives the path back and Nurdatei == NurName + NurExt.

#include <string>

// The file name part: everything after the last separator (the whole text if there is none).
std::string Nurdatei(const std::string& path, char separator);
// The folder part including its last separator; empty if there is no separator.
std::string nur_Pfad(const std::string& Dateiname, char separator);
// The file name part without its extension.
std::string NurName(const std::string& Dateiname, char separator);
// The extension with its dot, from the last dot of the file name part; empty if it has no dot.
std::string NurExt(const std::string& lzFile, char separator);

// Whether the path's extension is ".rc4" in any letter case: such items belong to the list to decrypt.
bool IsContainerPath(const std::string& path, char separator);

// Whether the file name is a container's: it ends in ".rc4" in any letter case, with something before
// it, so that dropping the extension leaves the name of a file in the same folder.
bool IsContainerName(const std::string& path, char separator);
