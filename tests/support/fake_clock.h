#ifndef ZELBRIN_TESTS_FAKE_CLOCK_H
#define ZELBRIN_TESTS_FAKE_CLOCK_H

#include "schedule/system_time.h"

// The tests link this clock in place of GetLocalTime: ReadLocalTime answers
// what the test set last.
void SetFakeLocalTime(const SYSTEMTIME &now);

inline SYSTEMTIME MakeTime(int year, int month, int day, int hour, int minute, int second = 0)
{
    return SYSTEMTIME{WORD(year), WORD(month), 0, WORD(day), WORD(hour), WORD(minute), WORD(second), 0};
}

#endif
