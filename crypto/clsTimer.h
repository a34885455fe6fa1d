#pragma once

#include <cstdint>
#include <string>

// Interval timer over a monotonic nanosecond clock.
class clsTimer {
public:
    clsTimer();

    bool HasCounter() const noexcept { return frequency_ != 0; }
    // Ticks per second (1,000,000,000). Throws std::overflow_error if it did not fit 32 bits.
    std::int32_t TicksPerSecond() const;

    void ResetTimer() noexcept;
    void StopTimer() noexcept;
    // (stop - start) in milliseconds; only reads the two stored counts.
    double Elapsed() const noexcept;
    // "Execution took " + Elapsed with thousands grouping and 3 decimals + " ms", in the given separators.
    std::string strElapsed(char decimalSeparator = '.', char groupSeparator = ',') const;

    // Test hook: replaces the counts and frequency.
    void SetCounts(std::int64_t frequency, std::int64_t start, std::int64_t stop) noexcept;

private:
    std::int64_t frequency_;
    std::int64_t start_ = 0;
    std::int64_t stop_ = 0;
};
