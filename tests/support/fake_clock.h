#ifndef ZELBRIN_TESTS_FAKE_CLOCK_H
#define ZELBRIN_TESTS_FAKE_CLOCK_H

#include "schedule/system_time.h"

// The tests' stand-in for the program's clock: ReadLocalTime returns this.
void SetFakeLocalTime(const SYSTEMTIME &now);

SYSTEMTIME MakeTime(int year, int month, int day, int hour, int minute, int second = 0);

#endif
