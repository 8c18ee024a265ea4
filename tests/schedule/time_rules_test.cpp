#include <gtest/gtest.h>

#include "schedule/time_rules.h"
#include "support/fake_clock.h"

TEST(TimeRules, CompareGoesYearMonthDayHourMinuteAndIgnoresSeconds)
{
    const struct { SYSTEMTIME a, b; int expected; } rows[] = {
        {MakeTime(2013, 5, 5, 10, 0), MakeTime(2013, 5, 5, 10, 0, 59), 0},
        {MakeTime(2014, 1, 1, 0, 0), MakeTime(2013, 12, 31, 23, 59), 1},
        {MakeTime(2013, 5, 31, 23, 59), MakeTime(2013, 6, 1, 0, 0), 2},
        {MakeTime(2013, 5, 6, 0, 0), MakeTime(2013, 5, 5, 23, 59), 1},
        {MakeTime(2013, 5, 5, 10, 59), MakeTime(2013, 5, 5, 11, 0), 2},
        {MakeTime(2013, 5, 5, 10, 2), MakeTime(2013, 5, 5, 10, 1), 1},
        {SYSTEMTIME{}, MakeTime(1, 1, 1, 0, 0), 2},  // an empty slot is earlier than any time
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.expected, CompareTaskTime(row.a, row.b)) << &row - rows;
}

TEST(TimeRules, LabelsAndCountdownTexts)
{
    const struct { SYSTEMTIME due; const char *label; } labels[] = {
        {MakeTime(2013, 5, 5, 6, 7), "2013-5-5 | 06:07"},
        {MakeTime(2013, 12, 25, 18, 30), "2013-12-25 | 18:30"},
        {MakeTime(2013, 1, 9, 9, 45), "2013-1-9 | 09:45"},
        {MakeTime(2014, 0, 0, 18, 5), "2014-0-0 | 18:05"},
    };
    char text[kTimeTextSize];
    for (const auto &row : labels) {
        FormatTaskTime(row.due, text);
        EXPECT_STREQ(row.label, text);
    }
    const struct { SYSTEMTIME now, due; const char *text; } countdowns[] = {
        {MakeTime(2013, 5, 5, 6, 17, 31), MakeTime(2013, 5, 6, 8, 0), "1天1时42分29秒"},
        {MakeTime(2013, 12, 31, 23, 59, 59), MakeTime(2014, 1, 1, 0, 0), "0天0时0分1秒"},
        {MakeTime(2013, 5, 5, 9, 59, 0), MakeTime(2013, 5, 5, 10, 0), "0天0时1分0秒"},
        {MakeTime(2013, 5, 5, 23, 30, 0), MakeTime(2013, 5, 6, 0, 10), "0天0时40分0秒"},
        {MakeTime(2015, 12, 31, 12, 0, 0), MakeTime(2017, 3, 1, 12, 0), "426天0时0分0秒"},
        {MakeTime(2100, 2, 28, 0, 0, 0), MakeTime(2100, 3, 1, 0, 0), "2天0时0分0秒"},
        {MakeTime(2013, 5, 5, 10, 5, 30), MakeTime(2013, 5, 5, 10, 4), "-1天23时58分30秒"},
    };
    for (const auto &row : countdowns) {
        FormatCountdown(row.now, row.due, text);
        EXPECT_STREQ(row.text, text);
    }
}

TEST(TimeRules, MonthLengthsAndDayOfYearHaveNoCenturyRule)
{
    const int lengths[] = {30, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int month = 0; month <= 12; ++month)
        EXPECT_EQ(lengths[month], DaysInMonth(month, 2013)) << month;
    EXPECT_EQ(29, DaysInMonth(2, 2016));
    EXPECT_EQ(29, DaysInMonth(2, 2100));
    EXPECT_EQ(61, DayOfYear(2016, 3, 1));
    EXPECT_EQ(60, DayOfYear(2013, 3, 1));
    EXPECT_EQ(365, DayOfYear(2013, 12, 31));
    EXPECT_EQ(7, DayOfYear(2013, 0, 7));
}
