#ifndef ZELBRIN_SCHEDULE_SYSTEM_TIME_H
#define ZELBRIN_SCHEDULE_SYSTEM_TIME_H

// The core works on the Windows date-time record. Off Windows (the native
// unit tests) an identical layout stands in for it.
#ifdef _WIN32
#include <windows.h>
#else
typedef unsigned short WORD;
struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};
#endif

static_assert(sizeof(SYSTEMTIME) == 16, "SYSTEMTIME is eight 16-bit fields");

#endif
