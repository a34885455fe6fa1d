// The decryption batch over the in-memory disk with a fault at one of its operations: an error of the
// file layer, or a container cut short by another program.

#include "decrypt_case.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    decrypt_case::Run(data, size, true);
    return 0;
}
