// The decryption batch over the in-memory disk, against an independent reading of each container.

#include "decrypt_case.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    decrypt_case::Run(data, size, false);
    return 0;
}
