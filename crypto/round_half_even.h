#pragma once

// Rounding to the nearest whole number with halves to the even one: the progress percentage's rule, both
// where the cipher raises its progress events and on the batches' status line.

#include <cmath>

namespace rounding {

// x rounded to the nearest whole number, halves to the even neighbour. Every step is exact (std::round
// ignores the rounding mode, and x - r and x / 2 lose no bits), so the result does not depend on the
// rounding mode the floating-point unit was left in.
inline double RoundHalfEven(double x) noexcept {
    const double r = std::round(x); // halves away from zero
    if (std::fabs(x - r) == 0.5)
        return 2.0 * std::round(x / 2.0);
    return r;
}

} // namespace rounding
