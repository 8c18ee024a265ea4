#include "schedule/local_time.h"

void ReadLocalTime(SYSTEMTIME *now)
{
    GetLocalTime(now);
}
