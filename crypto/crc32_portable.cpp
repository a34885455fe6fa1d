#include "crypto/crc32_internal.h"
#include "crypto/crc32_update.h"

#include <array>

namespace crc32 {
namespace {

using Tables = std::array<std::array<std::uint32_t, 256>, 16>;

// Table k advances a byte by k further zero bytes: table 0 is the classic byte table, and entry n of
// table k is entry n of table k-1 pushed through one more byte step.
constexpr Tables MakeTables() {
    Tables t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1u) ? (c >> 1) ^ detail::ReflectedPoly : (c >> 1);
        t[0][n] = c;
    }
    for (std::size_t k = 1; k < t.size(); ++k)
        for (std::size_t n = 0; n < 256; ++n)
            t[k][n] = (t[k - 1][n] >> 8) ^ t[0][t[k - 1][n] & 0xFFu];
    return t;
}

constexpr Tables kTables = MakeTables();
static_assert(kTables[0][1] == 0x77073096u && kTables[0][128] == 0xEDB88320u);

constexpr std::size_t kSliceBytes = 16;

} // namespace

std::uint32_t UpdatePortable(std::uint32_t reg, const std::uint8_t* data, std::size_t n) noexcept {
    const auto& t = kTables;
    // Sixteen bytes at a time: the register is folded into the first four, and each byte is looked up
    // in the table that carries it past the bytes still following it in the slice. Bytes are assembled
    // one by one so the code is independent of the machine's byte order.
    while (n >= kSliceBytes) {
        const std::uint32_t w = reg ^ (std::uint32_t{data[0]} | std::uint32_t{data[1]} << 8 |
                                       std::uint32_t{data[2]} << 16 | std::uint32_t{data[3]} << 24);
        reg = t[15][w & 0xFFu] ^ t[14][(w >> 8) & 0xFFu] ^ t[13][(w >> 16) & 0xFFu] ^ t[12][w >> 24] ^
              t[11][data[4]] ^ t[10][data[5]] ^ t[9][data[6]] ^ t[8][data[7]] ^ t[7][data[8]] ^
              t[6][data[9]] ^ t[5][data[10]] ^ t[4][data[11]] ^ t[3][data[12]] ^ t[2][data[13]] ^
              t[1][data[14]] ^ t[0][data[15]];
        data += kSliceBytes;
        n -= kSliceBytes;
    }
    while (n-- > 0)
        reg = (reg >> 8) ^ t[0][(reg ^ *data++) & 0xFFu];
    return reg;
}

} // namespace crc32
