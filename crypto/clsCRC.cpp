#include "crypto/clsCRC.h"

#include "crypto/crc32_update.h"
#include "host/files.h"
#include "host/page_buffer.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <stdexcept>

namespace {

// CalculateFile reads in chunks of this size through one buffer, so memory stays bounded whatever the
// file's size; the yield callback runs after each chunk.
constexpr std::size_t kFileChunk = 1 << 20;

} // namespace

clsCRC::clsCRC() {
    Clear();
}

std::int32_t clsCRC::AddBytes(std::span<const std::uint8_t> ByteArray) {
    register_ = crc32::Update(register_, ByteArray.data(), ByteArray.size());
    return value();
}

void clsCRC::value(std::int64_t New_Value) {
    if (New_Value < std::numeric_limits<std::int32_t>::min() ||
        New_Value > std::numeric_limits<std::int32_t>::max())
        throw std::overflow_error("clsCRC::value: " + std::to_string(New_Value) +
                                  " is outside the signed 32-bit range");
    register_ = static_cast<std::uint32_t>(static_cast<std::int32_t>(New_Value));
}

std::string clsCRC::CalculateFile(const std::string& strFilePath) {
    // A file of one byte is never read, as its checksum does not depend on it (FileChecksumText). An
    // empty file is not even opened.
    if (host::FileLength(strFilePath) == 0)
        return FileChecksumText(value(), 0);

    host::InputFile file(strFilePath); // closed by its destructor on every way out
    const std::int64_t length = file.Length();
    if (length < 2)
        return FileChecksumText(value(), length);

    const std::size_t bufferSize = static_cast<std::size_t>(std::min<std::int64_t>(length, kFileChunk));
    host::PageBuffer buffer(bufferSize);
    for (std::int64_t left = length; left > 0;) {
        const std::size_t chunk = static_cast<std::size_t>(std::min<std::int64_t>(left, bufferSize));
        file.Read(buffer.data(), chunk);
        AddBytes(std::span<const std::uint8_t>(buffer.data(), chunk));
        left -= static_cast<std::int64_t>(chunk);
        if (yield_)
            yield_();
    }
    file.Close();
    return FileChecksumText(value(), length);
}

std::string clsCRC::ChecksumText(std::int32_t number) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(static_cast<std::uint32_t>(number)));
    return text;
}

std::string clsCRC::FileChecksumText(std::int32_t crc, std::int64_t length) {
    return ChecksumText(length < 2 ? 0 : crc);
}
