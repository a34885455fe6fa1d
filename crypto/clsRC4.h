#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

// The RC4 stream cipher, restarted from the key-scheduled state on every call of EncryptByte.
// Because every call starts afresh, the keystream of the current key is computed once and kept:
// each call is then a plain XOR with the start of that keystream.
class clsRC4 {
public:
    // Receives the share of the array done so far, in whole percent (0 to 100).
    using ProgressHandler = std::function<void(std::int32_t Percent)>;

    clsRC4();
    ~clsRC4();
    clsRC4(const clsRC4&) = delete;
    clsRC4& operator=(const clsRC4&) = delete;

    // Write-only key: a UTF-8 text, turned into Windows-1252 bytes. Setting the text already held does
    // nothing; another text runs the key schedule. The empty text (which EncryptByte never sets) returns
    // the object to the state of a new instance.
    void Key(const std::string& New_Value);

    // XORs the bytes in place with the keystream from its first byte. A non-empty Key argument is set
    // first through Key(); an empty one keeps the state of the last key (all zero in a new instance,
    // which leaves the bytes unchanged).
    void EncryptByte(std::span<std::uint8_t> ByteArray, const std::string& Key);
    void EncryptByte(std::vector<std::uint8_t>& ByteArray, const std::string& Key) {
        EncryptByte(std::span<std::uint8_t>(ByteArray), Key);
    }
    // The same, with the result written to Target and Source left as it is. Target has Source's size and
    // is either Source itself or does not overlap it.
    void EncryptByte(std::span<const std::uint8_t> Source, std::span<std::uint8_t> Target,
                     const std::string& Key);

    // Subscribes to the Progress notification (pass nullptr to unsubscribe).
    void OnProgress(ProgressHandler handler) { progress_ = std::move(handler); }

private:
    // The keystream of the current key from its first byte, with the generator state after it. Shared
    // so that a call in progress keeps its keystream when a Progress subscriber sets another key.
    struct Keystream;

    std::string keyText_;
    std::uint8_t state_[256] = {}; // the saved, key-scheduled permutation (all zero in a new instance)
    std::shared_ptr<Keystream> stream_;
    int depth_ = 0; // EncryptByte calls in progress (a subscriber may call back into the object)
    ProgressHandler progress_;
};
