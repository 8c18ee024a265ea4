#include "support/fake_clock.h"

#include "schedule/local_time.h"

static SYSTEMTIME fakeNow;

void SetFakeLocalTime(const SYSTEMTIME &now)
{
    fakeNow = now;
}

void ReadLocalTime(SYSTEMTIME *now)
{
    *now = fakeNow;
}
