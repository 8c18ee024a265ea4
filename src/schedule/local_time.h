#ifndef ZELBRIN_SCHEDULE_LOCAL_TIME_H
#define ZELBRIN_SCHEDULE_LOCAL_TIME_H

#include "system_time.h"

// The one way the program learns the time. The program links the versions
// that ask Windows; the tests link clocks they set themselves.

// The local time of the system clock, which the user may set.
void ReadLocalTime(SYSTEMTIME *now);

// Milliseconds on a clock that only ever moves forward, and stands still
// while the computer sleeps.
long long ReadMonotonicTime();

#endif
