#pragma once

// Stands in for the program's clock: each test program includes this in
// exactly one file, and ReadLocalTime answers what the test set last.
#include "schedule/local_time.h"

inline SYSTEMTIME fakeNow;
inline void SetFakeLocalTime(const SYSTEMTIME &now) { fakeNow = now; }
void ReadLocalTime(SYSTEMTIME *now) { *now = fakeNow; }

inline SYSTEMTIME MakeTime(int year, int month, int day, int hour, int minute, int second = 0)
{ return SYSTEMTIME{WORD(year), WORD(month), 0, WORD(day), WORD(hour), WORD(minute), WORD(second), 0}; }

