#include "core/container.h"

#include "crypto/clsCRC.h"
#include "crypto/clsRC4.h"
#include "crypto/clsSHA.h"
#include "text/codepage.h"

#include <algorithm>
#include <string_view>

namespace container {

namespace {

// Writes the text as Windows-1252 bytes into a fixed-width field, cut to the width or padded with NUL.
std::uint8_t* PutField(std::uint8_t* out, const std::string& text, std::size_t width) {
    const std::string bytes = codepage::ToAnsi(text);
    const std::size_t n = std::min(bytes.size(), width);
    std::copy_n(bytes.begin(), n, out);
    std::fill(out + n, out + width, std::uint8_t{0});
    return out + width;
}

std::string GetField(std::span<const std::uint8_t> bytes) {
    return codepage::FromAnsi(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

} // namespace

std::string PasswordSalt() {
    // Held as numeric character codes rather than a text literal, so the salt does not turn up among
    // the program's plain strings. It is part of the format: changing a single code makes every
    // container written before fail the password check.
    static constexpr int Codes[] = {
        123, 52, 50, 52, 69, 68, 54, 50, 56, 45, 54, 67, 67, 51, 45, 52, 67, 55, 54,
        45,  57, 54, 70, 49, 45, 54, 55, 66, 48, 53, 67, 52, 52, 53, 53, 51, 70, 125,
    };
    std::string salt;
    salt.reserve(std::size(Codes));
    for (const int code : Codes)
        salt.push_back(static_cast<char>(code));
    return salt;
}

std::string TrimSpaces(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string PasswordCheckText(const std::string& password) {
    return TrimSpaces(password) + PasswordSalt();
}

std::string PasswordDigest(const std::string& password) {
    // SHA1_string empties its argument, so it gets a text of its own.
    std::string checkText = PasswordCheckText(password);
    return clsSHA().SHA1_string(checkText);
}

HeaderBytes ComposeHeader(const ContainerHeader& header) {
    HeaderBytes bytes{};
    std::uint8_t* out = bytes.data();
    out = PutField(out, header.Marker, MarkerSize);
    out = PutField(out, header.PlainChecksum, ChecksumSize);
    PutField(out, header.PasswordDigest, DigestSize);
    return bytes;
}

HeaderBytes ComposeHeader(const std::string& checksumText, const std::string& digest) {
    return ComposeHeader(ContainerHeader{Marker, checksumText, digest});
}

ContainerHeader ParseHeader(std::span<const std::uint8_t, HeaderSize> bytes) {
    return ContainerHeader{
        GetField(bytes.subspan(0, MarkerSize)),
        GetField(bytes.subspan(MarkerSize, ChecksumSize)),
        GetField(bytes.subspan(MarkerSize + ChecksumSize, DigestSize)),
    };
}

void TransformBlock(clsRC4& rc4, std::span<std::uint8_t> block, const std::string& key) {
    // Setting the key itself makes the empty one count too: it returns the object to a new instance's
    // state. Setting the key already held costs one comparison.
    rc4.Key(key);
    rc4.EncryptByte(block, key);
}

void TransformData(clsRC4& rc4, std::span<std::uint8_t> data, const std::string& key) {
    const auto total = static_cast<std::int64_t>(data.size());
    std::int64_t processed = 0;
    while (processed < total) {
        const std::int64_t length = NextBlockLength(processed, total);
        TransformBlock(
            rc4, data.subspan(static_cast<std::size_t>(processed), static_cast<std::size_t>(length)), key);
        processed += length;
    }
}

std::string ChecksumText(std::span<const std::uint8_t> plain) {
    return ChecksumText(clsCRC().AddBytes(plain), static_cast<std::int64_t>(plain.size()));
}

std::string ChecksumText(std::int32_t crc, std::int64_t length) {
    return clsCRC::FileChecksumText(crc, length);
}

HeaderVerdict CheckHeader(std::span<const std::uint8_t> head, const std::string& password) {
    // Shorter than a header, it cannot be one of ours, and its data length would come out negative.
    if (head.size() < HeaderSize || !std::equal(head.begin(), head.begin() + MarkerSize, Marker))
        return HeaderVerdict::NotAContainer;
    // The checksum goes in only after the last block: a container still holding the pending mark was
    // cut short while it was written, and restoring it would only give a truncated file.
    if (std::equal(head.begin() + MarkerSize, head.begin() + MarkerSize + ChecksumSize, PendingChecksum))
        return HeaderVerdict::NotAContainer;
    // The digest is compared as the 20 bytes stored, so no text conversion can blur a difference.
    const HeaderBytes expected = ComposeHeader(ContainerHeader{Marker, {}, PasswordDigest(password)});
    constexpr std::size_t digestAt = MarkerSize + ChecksumSize;
    if (!std::equal(head.begin() + digestAt, head.begin() + HeaderSize, expected.begin() + digestAt))
        return HeaderVerdict::WrongPassword;
    return HeaderVerdict::Accepted;
}

std::vector<std::uint8_t> MakeContainer(std::span<const std::uint8_t> plain, const std::string& password) {
    const HeaderBytes header = ComposeHeader(ChecksumText(plain), PasswordDigest(password));
    std::vector<std::uint8_t> bytes(HeaderSize + plain.size());
    std::copy(header.begin(), header.end(), bytes.begin());
    std::copy(plain.begin(), plain.end(), bytes.begin() + HeaderSize);
    clsRC4 rc4;
    TransformData(rc4, std::span<std::uint8_t>(bytes).subspan(HeaderSize), TrimSpaces(password));
    return bytes;
}

OpenResult OpenContainer(std::span<const std::uint8_t> bytes, const std::string& password,
                         std::vector<std::uint8_t>& plain) {
    switch (CheckHeader(bytes.first(std::min(bytes.size(), HeaderSize)), password)) {
    case HeaderVerdict::NotAContainer:
        return OpenResult::NotAContainer;
    case HeaderVerdict::WrongPassword:
        return OpenResult::WrongPassword;
    case HeaderVerdict::Accepted:
        break;
    }
    const auto headerBytes = bytes.first<HeaderSize>();
    std::vector<std::uint8_t> restored(bytes.begin() + HeaderSize, bytes.end());
    clsRC4 rc4;
    TransformData(rc4, restored, TrimSpaces(password));
    const bool intact = ChecksumText(restored) == ParseHeader(headerBytes).PlainChecksum;
    plain = std::move(restored);
    return intact ? OpenResult::Ok : OpenResult::ChecksumError;
}

} // namespace container
