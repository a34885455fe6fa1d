#include "core/status_text.h"

#include <gtest/gtest.h>

namespace {

TEST(StatusText, PercentageRoundsHalvesToEven) {
    EXPECT_EQ(status::Percentage(100000, 20'000'000), 0); // 0.5 % goes down to the even 0
    EXPECT_EQ(status::Percentage(300000, 20'000'000), 2); // 1.5 % goes up to 2
    EXPECT_EQ(status::Percentage(100000, 250000), 40);
    EXPECT_EQ(status::Percentage(250000, 250000), 100);
    EXPECT_EQ(status::Percentage(8'000'000'000, 1), 100); // beyond the whole: no overflow, at most 100
    EXPECT_EQ(status::Percentage(-1, 250000), 0);
}

TEST(StatusText, ProgressLineLeavesZeroOut) {
    EXPECT_EQ(status::ProgressLine(2, 7, 35), "File: 2 von 7,  File bearbeitet: 35 %");
    EXPECT_EQ(status::ProgressLine(1, 1, 0), "File: 1 von 1,  File bearbeitet:  %");
}

TEST(StatusText, NumbersInShortestFormWithHalvesToEven) {
    struct Case {
        double value;
        int decimals;
        char separator;
        const char* text;
    } const cases[] = {
        {12.5, 2, '.', "12.5"},    {12.0, 2, '.', "12"},      {0.0, 2, ',', "0"},
        {0.375, 2, '.', "0.38"},   {0.125, 2, '.', "0.12"},   {1.0625, 3, ',', "1,062"},
        {2.1875, 3, '.', "2.188"}, {999.999, 2, '.', "1000"}, {0.001, 2, '.', "0"},
        {7.05, 3, ',', "7,05"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(status::FormatRounded(c.value, c.decimals, c.separator), c.text) << c.value;
}

TEST(StatusText, TimeTextSwitchesToSecondsAbove1000Ms) {
    EXPECT_EQ(status::TimeText(" , EncryptTime: ", 1000.0, '.'), " , EncryptTime: 1000 ms");
    EXPECT_EQ(status::TimeText(" , EncryptTime: ", 1000.5, ','), " , EncryptTime: 1 s");
    EXPECT_EQ(status::TimeText(" , DecryptTime: ", 2345.6, ','), " , DecryptTime: 2,346 s");
    EXPECT_EQ(status::TimeText(" , DecryptTime: ", 12.375, '.'), " , DecryptTime: 12.38 ms");
}

} // namespace
