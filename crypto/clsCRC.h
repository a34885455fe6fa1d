#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

// CRC-32 (IEEE 802.3, reflected polynomial 0xEDB88320) of byte arrays and files, with the working
// register exposed between calls so that data arriving in pieces can be checksummed.
class clsCRC {
public:
    using YieldHandler = std::function<void()>;

    clsCRC();

    // Runs the update over every byte and returns value().
    std::int32_t AddBytes(std::span<const std::uint8_t> ByteArray);
    std::int32_t AddBytes(const std::vector<std::uint8_t>& ByteArray) {
        return AddBytes(std::span<const std::uint8_t>(ByteArray));
    }
    // Exactly AddBytes: successive calls accumulate.
    std::int32_t CalculateBytes(std::span<const std::uint8_t> ByteArray) { return AddBytes(ByteArray); }
    std::int32_t CalculateBytes(const std::vector<std::uint8_t>& ByteArray) { return AddBytes(ByteArray); }

    // The complement of the working register: the CRC-32 of all bytes added since Clear().
    std::int32_t value() const noexcept { return static_cast<std::int32_t>(~register_); }
    // Stores the number in the register unchanged (not complemented). Throws std::overflow_error for a
    // number outside the signed 32-bit range, leaving the register as it was.
    void value(std::int64_t New_Value);

    // Sets the register to all ones.
    void Clear() noexcept { register_ = 0xFFFFFFFFu; }

    // Adds the file's bytes to the register and returns the checksum as 8 upper-case hex digits.
    // Files of 0 or 1 bytes are not read and give "00000000". Neither clears before nor after.
    // Failures to open or read throw host::FileError after the file is closed.
    std::string CalculateFile(const std::string& strFilePath);

    // Called between the blocks CalculateFile reads, so a window can stay responsive.
    void SetYield(YieldHandler handler) { yield_ = std::move(handler); }

    // The checksum text of a number: 8 upper-case hex digits of its 32-bit two's complement form.
    static std::string ChecksumText(std::int32_t number);
    // The checksum text of a file of length bytes whose CRC-32 is crc, as CalculateFile gives it: a file
    // of 0 or 1 byte gives "00000000" whatever its byte (the containers store that text for it).
    static std::string FileChecksumText(std::int32_t crc, std::int64_t length);

private:
    std::uint32_t register_ = 0xFFFFFFFFu;
    YieldHandler yield_;
};
