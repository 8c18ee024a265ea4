#include "support/fake_clock.h"

#include "schedule/local_time.h"

static SYSTEMTIME fakeNow = MakeTime(2026, 12, 6, 12, 0, 0);

void SetFakeLocalTime(const SYSTEMTIME &now)
{
    fakeNow = now;
}

void ReadLocalTime(SYSTEMTIME *now)
{
    *now = fakeNow;
}

SYSTEMTIME MakeTime(int year, int month, int day, int hour, int minute, int second)
{
    SYSTEMTIME t = {};
    t.wYear = static_cast<WORD>(year);
    t.wMonth = static_cast<WORD>(month);
    t.wDay = static_cast<WORD>(day);
    t.wHour = static_cast<WORD>(hour);
    t.wMinute = static_cast<WORD>(minute);
    t.wSecond = static_cast<WORD>(second);
    return t;
}
