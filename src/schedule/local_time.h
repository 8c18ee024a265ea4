#ifndef ZELBRIN_SCHEDULE_LOCAL_TIME_H
#define ZELBRIN_SCHEDULE_LOCAL_TIME_H

#include "system_time.h"

// The one way the program learns the current local time. The program links
// the GetLocalTime version; the tests link a clock they set themselves.
void ReadLocalTime(SYSTEMTIME *now);

#endif
