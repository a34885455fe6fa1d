#pragma once

// The status line of the batches: the per-block progress line and the closing time text.

#include <cstdint>
#include <string>

namespace status {

// processed / total × 100, rounded to the nearest integer with halves to even. processed counts as 0
// below 0 and as total above it, so the result lies in 0 .. 100; a total of 0 or less gives 0.
std::int32_t Percentage(std::int64_t processed, std::int64_t total);

// "File: <position> von <count>,  File bearbeitet: <percent> %"; a percentage of 0 prints nothing.
std::string ProgressLine(int position, int count, std::int32_t percent);

// The value rounded to the given decimals (halves to even), in its shortest form: no trailing zeros,
// no grouping, the given decimal separator.
std::string FormatRounded(double value, int decimals, char decimalSeparator);

// label + milliseconds with 2 decimals + " ms" up to 1000 ms, else seconds with 3 decimals + " s".
std::string TimeText(const char* label, double milliseconds, char decimalSeparator);

} // namespace status
