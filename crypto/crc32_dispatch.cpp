#include "crypto/crc32_update.h"

namespace crc32 {
namespace {

using UpdateFunction = std::uint32_t (*)(std::uint32_t, const std::uint8_t*, std::size_t) noexcept;

#if defined(__x86_64__) || defined(__i386__)
bool CpuHas(Path path) noexcept {
    __builtin_cpu_init(); // may run before the library's own initialisation (static constructors)
    const bool pclmul = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
    switch (path) {
    case Path::Portable:
        return true;
    case Path::Pclmul:
        return pclmul;
    case Path::Vpclmul:
#if defined(__x86_64__)
        // avx512f also tells that the system saves the 512-bit registers (libgcc checks XCR0).
        return pclmul && __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
               __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("vpclmulqdq");
#else
        return false;
#endif
    }
    return false;
}
#else
bool CpuHas(Path path) noexcept {
    return path == Path::Portable;
}
#endif

UpdateFunction Fastest() noexcept {
    if (CpuHas(Path::Vpclmul))
        return UpdateVpclmul;
    if (CpuHas(Path::Pclmul))
        return UpdatePclmul;
    return UpdatePortable;
}

} // namespace

bool Supported(Path path) noexcept {
    static const bool supported[] = {CpuHas(Path::Portable), CpuHas(Path::Pclmul), CpuHas(Path::Vpclmul)};
    return supported[static_cast<int>(path)];
}

std::vector<Path> SupportedPaths() {
    std::vector<Path> paths;
    for (Path path : {Path::Portable, Path::Pclmul, Path::Vpclmul})
        if (Supported(path))
            paths.push_back(path);
    return paths;
}

const char* Name(Path path) noexcept {
    switch (path) {
    case Path::Portable:
        return "portable";
    case Path::Pclmul:
        return "pclmul";
    case Path::Vpclmul:
        return "vpclmul";
    }
    return "unknown";
}

std::uint32_t Update(std::uint32_t reg, const std::uint8_t* data, std::size_t n) noexcept {
    static const UpdateFunction chosen = Fastest();
    return chosen(reg, data, n);
}

} // namespace crc32
