#pragma once

// The tests' clocks, in place of Windows': include it in one file a program.
#include "schedule/local_time.h"

inline SYSTEMTIME fakeNow;
inline long long fakeMonotonic;

void ReadLocalTime(SYSTEMTIME *now)
{
    *now = fakeNow;
}

long long ReadMonotonicTime()
{
    return fakeMonotonic;
}

inline SYSTEMTIME Time(int year, int month, int day, int hour, int minute, int second = 0, int ms = 0)
{
    return SYSTEMTIME{WORD(year),   WORD(month),  0,       WORD(day), WORD(hour),
                      WORD(minute), WORD(second), WORD(ms)};
}
