#include "crypto/clsTimer.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(Timer, ElapsedIsTheTickDifferenceInMilliseconds) {
    clsTimer timer;
    timer.SetCounts(10000000, 0, 12345);
    EXPECT_DOUBLE_EQ(timer.Elapsed(), 1.2345);
    timer.SetCounts(1000000000, 5000, 2000);
    EXPECT_DOUBLE_EQ(timer.Elapsed(), -0.003);
}

TEST(Timer, NanosecondClock) {
    clsTimer timer;
    EXPECT_TRUE(timer.HasCounter());
    EXPECT_EQ(timer.TicksPerSecond(), 1000000000);
    timer.SetCounts(std::int64_t{INT32_MAX} + 1, 0, 0);
    EXPECT_THROW(timer.TicksPerSecond(), std::overflow_error);
    timer.SetCounts(INT32_MAX, 0, 0);
    EXPECT_EQ(timer.TicksPerSecond(), INT32_MAX);
}

TEST(Timer, MeasuresRealIntervals) {
    clsTimer timer;
    timer.ResetTimer();
    EXPECT_LT(timer.Elapsed(), 0.0); // stop count still 0
    timer.StopTimer();
    const double first = timer.Elapsed();
    EXPECT_GE(first, 0.0);
    EXPECT_LT(first, 60000.0);
    EXPECT_EQ(timer.Elapsed(), first); // only reads the stored counts
}

TEST(Timer, StrElapsedFormatting) {
    struct Case {
        std::int64_t stopNanoseconds;
        char decimal, group;
        std::string text;
    };
    const Case cases[] = {
        {0, '.', ',', "Execution took 0.000 ms"},
        {0, ',', '.', "Execution took 0,000 ms"},
        {1234567800, '.', ',', "Execution took 1,234.568 ms"},
        {1234567800, ',', '.', "Execution took 1.234,568 ms"},
        {999999, '.', ',', "Execution took 1.000 ms"},
        {999999499, '.', ',', "Execution took 999.999 ms"},
        {999999600, '.', ',', "Execution took 1,000.000 ms"},
        {1234567890123456, ',', '.', "Execution took 1.234.567.890,123 ms"},
        {-1234567800, '.', ',', "Execution took -1,234.568 ms"},
        {-100, '.', ',', "Execution took 0.000 ms"},
    };
    clsTimer timer;
    for (const auto& c : cases) {
        timer.SetCounts(1000000000, 0, c.stopNanoseconds);
        EXPECT_EQ(timer.strElapsed(c.decimal, c.group), c.text) << c.stopNanoseconds;
    }
    timer.SetCounts(1000000000, 0, 1234567800);
    EXPECT_EQ(timer.strElapsed(), "Execution took 1,234.568 ms"); // default separators
}

TEST(Timer, WithoutFrequencyElapsedIsZero) {
    clsTimer timer;
    timer.SetCounts(0, 0, 100);
    EXPECT_FALSE(timer.HasCounter());
    EXPECT_EQ(timer.Elapsed(), 0.0);
    EXPECT_EQ(timer.strElapsed(), "Execution took 0.000 ms");
}

} // namespace
