#pragma once

// How a batch makes room for the file it writes. The output's name may already be taken by anything a
// shared file system holds: an earlier output, a link, a FIFO, a folder, or the input itself.

#include <string>

// Clears the way for a new file at outputPath, the one place where the batches remove anything:
//   - when inputPath leads to that very entry (through a link), nothing is removed and a FileError
//     naming inputPath with sameFileReason is thrown: replacing the output would destroy the input;
//   - a link there is removed itself, never its target;
//   - an ordinary file there loses its attributes (so a read-only one can go) and is removed; a hidden or
//     system file on Windows counts as absent and stays, and creating the output over it is refused;
//   - a folder, FIFO, socket or device there is refused with a FileError without being opened.
// The caller then creates the output exclusively, so a name taken again meanwhile fails, never shares.
void ClearOutputName(const std::string& outputPath, const std::string& inputPath, const char* sameFileReason);
