#include <gtest/gtest.h>

#include <string>

#include "schedule/time_rules.h"
#include "support/fake_clock.h"

namespace {

struct CompareCase {
    SYSTEMTIME a, b;
    int expected;
};

TEST(CompareTaskTime, OrdersByYearMonthDayHourMinuteAndIgnoresSeconds)
{
    SYSTEMTIME withNoise = MakeTime(2013, 5, 5, 10, 0, 59);
    withNoise.wDayOfWeek = 3;
    withNoise.wMilliseconds = 999;
    const CompareCase cases[] = {
        {MakeTime(2013, 5, 5, 10, 0), withNoise, kSameMinute},
        {MakeTime(2014, 1, 1, 0, 0), MakeTime(2013, 12, 31, 23, 59), kLater},
        {MakeTime(2013, 12, 31, 23, 59), MakeTime(2014, 1, 1, 0, 0), kEarlier},
        {MakeTime(2013, 2, 1, 0, 0), MakeTime(2013, 1, 31, 23, 59), kLater},
        {MakeTime(2013, 1, 2, 0, 0), MakeTime(2013, 1, 1, 23, 59), kLater},
        {MakeTime(2013, 1, 1, 11, 0), MakeTime(2013, 1, 1, 10, 59), kLater},
        {MakeTime(2013, 1, 1, 10, 4), MakeTime(2013, 1, 1, 10, 5), kEarlier},
        // An empty slot (year 0) is earlier than any real time.
        {SYSTEMTIME{}, MakeTime(1, 1, 1, 0, 0), kEarlier},
        // Fields compare as unsigned 16-bit numbers.
        {MakeTime(65535, 1, 1, 0, 0), MakeTime(2013, 1, 1, 0, 0), kLater},
    };
    for (const CompareCase &c : cases)
        EXPECT_EQ(c.expected, CompareTaskTime(c.a, c.b)) << c.a.wYear << "-" << c.a.wMonth;
}

TEST(IsInvalidTask, CurrentAndPastMinutesAreInvalidTheNextMinuteIsNot)
{
    SYSTEMTIME now = MakeTime(2026, 12, 6, 9, 30, 45);
    EXPECT_TRUE(IsInvalidTask(MakeTime(2026, 12, 6, 9, 30), now));
    EXPECT_TRUE(IsInvalidTask(MakeTime(2026, 12, 6, 9, 29), now));
    EXPECT_TRUE(IsInvalidTask(SYSTEMTIME{}, now));
    EXPECT_FALSE(IsInvalidTask(MakeTime(2026, 12, 6, 9, 31), now));
}

struct LabelCase {
    SYSTEMTIME due;
    const char *expected;
};

TEST(FormatTaskTime, WritesTheDatePlainAndTheTimeWithTwoDigits)
{
    const LabelCase cases[] = {
        {MakeTime(2013, 5, 5, 6, 7), "2013-5-5 | 06:07"},
        {MakeTime(2013, 12, 25, 18, 30), "2013-12-25 | 18:30"},
        {MakeTime(2026, 1, 9, 18, 5), "2026-1-9 | 18:05"},
        {MakeTime(2026, 1, 9, 8, 45), "2026-1-9 | 08:45"},
        {MakeTime(2026, 1, 9, 0, 0), "2026-1-9 | 00:00"},
        {SYSTEMTIME{}, "0-0-0 | 00:00"},
    };
    for (const LabelCase &c : cases) {
        char text[kTimeTextSize];
        FormatTaskTime(c.due, text);
        EXPECT_STREQ(c.expected, text);
    }
}

TEST(Calendar, EveryFourthYearIsLeapWithoutTheCenturyRule)
{
    const int longMonths[] = {1, 3, 5, 7, 8, 10, 12};
    const int shortMonths[] = {4, 6, 9, 11};
    for (int m : longMonths)
        EXPECT_EQ(31, DaysInMonth(m, 2013)) << m;
    for (int m : shortMonths)
        EXPECT_EQ(30, DaysInMonth(m, 2013)) << m;
    EXPECT_EQ(28, DaysInMonth(2, 2013));
    EXPECT_EQ(29, DaysInMonth(2, 2016));
    EXPECT_EQ(29, DaysInMonth(2, 2100));
    EXPECT_EQ(29, DaysInMonth(2, 2000));

    EXPECT_EQ(61, DayOfYear(2016, 3, 1));
    EXPECT_EQ(60, DayOfYear(2013, 3, 1));
    EXPECT_EQ(366, DayOfYear(2100, 12, 31));
    EXPECT_EQ(365, DayOfYear(2013, 12, 31));
    // A month left without a selection adds no month.
    EXPECT_EQ(17, DayOfYear(2013, 0, 17));
    EXPECT_EQ(17, DayOfYear(2013, 1, 17));
}

struct CountdownCase {
    SYSTEMTIME now, due;
    const char *expected;
};

TEST(FormatCountdown, CountsToSecondZeroOfTheDueMinuteBorrowingOnce)
{
    const CountdownCase cases[] = {
        {MakeTime(2013, 5, 5, 6, 17, 31), MakeTime(2013, 5, 6, 8, 0), "1天1时42分29秒"},
        {MakeTime(2013, 12, 31, 23, 59, 59), MakeTime(2014, 1, 1, 0, 0), "0天0时0分1秒"},
        {MakeTime(2013, 5, 5, 10, 4, 0), MakeTime(2013, 5, 5, 10, 5), "0天0时1分0秒"},
        {MakeTime(2013, 5, 5, 10, 4, 1), MakeTime(2013, 5, 5, 10, 5), "0天0时0分59秒"},
        // A past due time: negative days, the other fields in range.
        {MakeTime(2013, 5, 5, 10, 5, 30), MakeTime(2013, 5, 5, 10, 4), "-1天23时58分30秒"},
        {MakeTime(2013, 5, 5, 10, 5, 0), MakeTime(2013, 5, 5, 10, 5), "0天0时0分0秒"},
        // Leap years on the way, the 2100 one included.
        {MakeTime(2099, 3, 1, 0, 0, 0), MakeTime(2101, 3, 1, 0, 0), "731天0时0分0秒"},
        {MakeTime(2016, 2, 28, 12, 0, 0), MakeTime(2016, 3, 1, 12, 0), "2天0时0分0秒"},
        {MakeTime(2026, 12, 6, 23, 0, 10), MakeTime(2026, 12, 7, 0, 0), "0天0时59分50秒"},
    };
    for (const CountdownCase &c : cases) {
        char text[kTimeTextSize];
        FormatCountdown(c.now, c.due, text);
        EXPECT_STREQ(c.expected, text);
    }
}

TEST(FormatCountdown, AnEmptySlotGivesANegativeDayCount)
{
    char text[kTimeTextSize];
    FormatCountdown(MakeTime(2026, 12, 6, 12, 0, 0), SYSTEMTIME{}, text);
    EXPECT_EQ('-', text[0]) << text;
    EXPECT_STREQ("0天0时0分0秒", EMPTY_COUNTDOWN);
}

}  // namespace
