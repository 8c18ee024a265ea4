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

// Year, month, day, hour, minute and second.
inline SYSTEMTIME Time(int y, int mo, int d, int h, int mi, int s = 0)
{
    return SYSTEMTIME{WORD(y), WORD(mo), 0, WORD(d), WORD(h), WORD(mi), WORD(s), 0};
}
