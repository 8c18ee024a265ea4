#pragma once

// The tests' clock, in place of GetLocalTime: include it in one file a program.
#include "schedule/local_time.h"

inline SYSTEMTIME fakeNow;

void ReadLocalTime(SYSTEMTIME *now)
{
    *now = fakeNow;
}

inline SYSTEMTIME Time(int year, int month, int day, int hour, int minute, int second = 0)
{
    return SYSTEMTIME{WORD(year), WORD(month), 0, WORD(day), WORD(hour), WORD(minute), WORD(second), 0};
}
