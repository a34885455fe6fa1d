#pragma once

#include "host/files.h"

#include <cstdint>
#include <string>
#include <vector>

// Writes bytes as an output of path, as the batches do: a new file, flushed, then renamed into place.
inline void WriteOutput(const std::string& path, const std::vector<std::uint8_t>& bytes,
                        bool replace = true) {
    const host::OutputFolder folder(path);
    host::OutputFile out(folder);
    out.Write(bytes.data(), bytes.size());
    out.Flush();
    out.Commit(replace);
}
