#include "crypto/clsTimer.h"

#include <chrono>
#include <cstdio>
#include <limits>
#include <stdexcept>

namespace {

using Clock = std::chrono::steady_clock;

std::int64_t Now() noexcept {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;

} // namespace

clsTimer::clsTimer() : frequency_(kNanosecondsPerSecond) {}

std::int32_t clsTimer::TicksPerSecond() const {
    if (frequency_ > std::numeric_limits<std::int32_t>::max() ||
        frequency_ < std::numeric_limits<std::int32_t>::min())
        throw std::overflow_error("clsTimer::TicksPerSecond: " + std::to_string(frequency_) +
                                  " ticks per second do not fit a signed 32-bit integer");
    return static_cast<std::int32_t>(frequency_);
}

void clsTimer::ResetTimer() noexcept {
    start_ = Now();
}

void clsTimer::StopTimer() noexcept {
    stop_ = Now();
}

double clsTimer::Elapsed() const noexcept {
    // Without a counter (only reachable through SetCounts) there is no time to report: 0, not a
    // division by zero.
    if (frequency_ == 0)
        return 0.0;
    return static_cast<double>(stop_ - start_) / static_cast<double>(frequency_) * 1000.0;
}

std::string clsTimer::strElapsed(char decimalSeparator, char groupSeparator) const {
    // The pattern "###,##0.000": three decimals, at least one whole digit, whole digits grouped in
    // thousands. printf rounds to three decimals; the separators are put in afterwards.
    char plain[512];
    std::snprintf(plain, sizeof plain, "%.3f", Elapsed());
    std::string digits = plain;
    bool negative = false;
    if (!digits.empty() && digits.front() == '-') {
        negative = digits.find_first_not_of("-0.") != std::string::npos; // no "-0.000"
        digits.erase(0, 1);
    }
    const std::size_t point = digits.find('.');
    const std::string whole = digits.substr(0, point);
    std::string text = negative ? "-" : "";
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            text += groupSeparator;
        text += whole[i];
    }
    text += decimalSeparator;
    text += digits.substr(point + 1);
    return "Execution took " + text + " ms";
}

void clsTimer::SetCounts(std::int64_t frequency, std::int64_t start, std::int64_t stop) noexcept {
    frequency_ = frequency;
    start_ = start;
    stop_ = stop;
}
