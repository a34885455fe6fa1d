#include "core/status_text.h"

#include "core/batch_texts.h"
#include "crypto/round_half_even.h"

#include <algorithm>
#include <cmath>

namespace status {

using rounding::RoundHalfEven;

std::int32_t Percentage(std::int64_t processed, std::int64_t total) {
    if (total <= 0)
        return 0;
    // Within 0 .. total the quotient is at most 1, so the result fits whatever the numbers are.
    const std::int64_t within = std::clamp<std::int64_t>(processed, 0, total);
    return static_cast<std::int32_t>(
        RoundHalfEven(static_cast<double>(within) / static_cast<double>(total) * 100.0));
}

std::string ProgressLine(int position, int count, std::int32_t percent) {
    std::string line = texts::ProgressFile;
    line += std::to_string(position);
    line += texts::ProgressOf;
    line += std::to_string(count);
    line += texts::ProgressDone;
    if (percent != 0)
        line += std::to_string(percent);
    line += texts::ProgressPercent;
    return line;
}

std::string FormatRounded(double value, int decimals, char decimalSeparator) {
    const double scale = std::pow(10.0, decimals);
    const double scaled = RoundHalfEven(value * scale);
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 9.0e18)
        return std::to_string(value); // far beyond any batch's duration; keep it readable
    long long units = static_cast<long long>(scaled);
    std::string sign;
    if (units < 0) {
        sign = "-";
        units = -units;
    }
    std::string digits = std::to_string(units);
    if (digits.size() <= static_cast<std::size_t>(decimals))
        digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    std::string whole = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
    std::string fraction = digits.substr(whole.size());
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    std::string text = sign + whole;
    if (!fraction.empty())
        text += decimalSeparator + fraction;
    return text;
}

std::string TimeText(const char* label, double milliseconds, char decimalSeparator) {
    if (milliseconds <= 1000.0)
        return label + FormatRounded(milliseconds, 2, decimalSeparator) + " ms";
    return label + FormatRounded(milliseconds / 1000.0, 3, decimalSeparator) + " s";
}

} // namespace status
