#pragma once

// The container format: a 31-byte header ("rc4", the plain file's CRC-32 as 8 upper-case hex digits,
// the 20-byte SHA-1 of the password check text) followed by the plain bytes enciphered in blocks of
// 100000 bytes, each block with the keystream restarted from its first byte.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

class clsRC4;

namespace container {

constexpr std::size_t MarkerSize = 3;
constexpr std::size_t ChecksumSize = 8;
constexpr std::size_t DigestSize = 20;
constexpr std::size_t HeaderSize = MarkerSize + ChecksumSize + DigestSize; // 31
constexpr std::size_t BlockSize = 100000;
inline constexpr char Marker[] = "rc4";
inline constexpr char Extension[] = ".rc4";
// The checksum field while a container is being written: the checksum is known only after the last
// block and goes in then. Never a checksum text: a container cut short before that is refused as
// damaged before anything is written for it.
inline constexpr char PendingChecksum[] = "--------";
// The most characters a password may have: the window's boxes take no more.
constexpr std::size_t MaxPasswordLength = 32;

// The header as three texts (UTF-8; each character stands for one Windows-1252 byte in the file).
struct ContainerHeader {
    std::string Marker;         // 3 characters
    std::string PlainChecksum;  // 8 characters
    std::string PasswordDigest; // 20 characters, as clsSHA::SHA1_string gives them
};

using HeaderBytes = std::array<std::uint8_t, HeaderSize>;

// The fixed salt appended to every password before hashing; part of the format, never to change.
std::string PasswordSalt();

// The text with leading and trailing U+0020 spaces removed (tabs and other blanks stay).
std::string TrimSpaces(const std::string& text);

// The trimmed password followed by the salt.
std::string PasswordCheckText(const std::string& password);

// SHA1_string of the password check text.
std::string PasswordDigest(const std::string& password);

// The 31 header bytes. Fields of the wrong length are cut or padded with NUL to their width.
HeaderBytes ComposeHeader(const ContainerHeader& header);
HeaderBytes ComposeHeader(const std::string& checksumText, const std::string& digest);

// Splits 31 header bytes into the three fields.
ContainerHeader ParseHeader(std::span<const std::uint8_t, HeaderSize> bytes);

// Length of the next block: BlockSize while processed + BlockSize < total, else the rest.
constexpr std::int64_t NextBlockLength(std::int64_t processed, std::int64_t total) {
    return processed + static_cast<std::int64_t>(BlockSize) < total ? static_cast<std::int64_t>(BlockSize)
                                                                    : total - processed;
}

// Enciphers (or deciphers) one block in place, XOR-ed with the keystream of exactly this key from its
// first byte. An empty key (a password of spaces) gives the never-keyed cipher's all-zero keystream and
// so leaves the bytes as they are, whichever key the object held before: clsRC4::EncryptByte alone
// would keep that one, and the result would depend on the object's history.
void TransformBlock(clsRC4& rc4, std::span<std::uint8_t> block, const std::string& key);

// Enciphers (or deciphers) the data in place in the container's block partition, block by block as
// TransformBlock does.
void TransformData(clsRC4& rc4, std::span<std::uint8_t> data, const std::string& key);

// The checksum text the format stores for these bytes (CRC-32 in hex; "00000000" for 0 or 1 byte).
std::string ChecksumText(std::span<const std::uint8_t> plain);
// The same for a plain file of length bytes whose CRC-32, taken over all of them, is crc.
std::string ChecksumText(std::int32_t crc, std::int64_t length);

enum class HeaderVerdict { Accepted, NotAContainer, WrongPassword };

// The checks a reader makes before it writes or removes anything: a container holds at least a header,
// starts with the marker, was written to its end (no pending checksum mark), and carries the digest of
// this password (compared as the 20 stored bytes).
// head is the container's first HeaderSize bytes, or all of it when it is shorter.
HeaderVerdict CheckHeader(std::span<const std::uint8_t> head, const std::string& password);

// A whole container for the plain bytes, in memory.
std::vector<std::uint8_t> MakeContainer(std::span<const std::uint8_t> plain, const std::string& password);

enum class OpenResult { Ok, NotAContainer, WrongPassword, ChecksumError };

// Checks a container in memory against a password and restores its plain bytes. The plain bytes are
// filled for Ok and ChecksumError only.
OpenResult OpenContainer(std::span<const std::uint8_t> bytes, const std::string& password,
                         std::vector<std::uint8_t>& plain);

} // namespace container
