#pragma once

// Overwrites key material with zeros in a way the compiler may not drop as a dead store.

#include <cstddef>
#include <cstring>

namespace crypto_detail {

inline void Wipe(void* data, std::size_t n) noexcept {
    if (n == 0)
        return;
#if defined(__GNUC__) || defined(__clang__)
    std::memset(data, 0, n);
    __asm__ __volatile__("" : : "r"(data) : "memory"); // the zeros count as read
#else
    volatile unsigned char* p = static_cast<volatile unsigned char*>(data);
    while (n-- > 0)
        *p++ = 0;
#endif
}

} // namespace crypto_detail
