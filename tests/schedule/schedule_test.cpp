#include <gtest/gtest.h>

#include "schedule/time_rules.h"
#include "support/fake_clock.h"

namespace {

// Every year divisible by 4 is a leap year, 2100 too.
TEST(TimeRules, Countdowns)
{
    const struct {
        SYSTEMTIME now, due;
        const char *countdown;
    } rows[] = {
        {Time(2013, 12, 31, 23, 59, 59), Time(2014, 1, 1, 0, 0), "0天0时0分1秒"},
        {Time(2015, 12, 31, 12, 0, 0), Time(2017, 3, 1, 18, 30), "426天6时30分0秒"},
        {Time(2100, 2, 28, 0, 0, 0), Time(2100, 3, 1, 9, 5), "2天9时5分0秒"},
        {Time(2013, 1, 1, 0, 0, 0), Time(2013, 12, 31, 18, 5), "364天18时5分0秒"},
    };
    for (const auto &row : rows) {
        char countdown[kTimeTextSize];
        FormatCountdown(row.now, row.due, countdown);
        EXPECT_STREQ(row.countdown, countdown);
    }
}

}  // namespace
