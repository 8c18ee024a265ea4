#include "schedule/local_time.h"

void ReadLocalTime(SYSTEMTIME *now)
{
    GetLocalTime(now);
}

typedef BOOL(WINAPI *UnbiasedTimeFunction)(PULONGLONG);

// The unbiased interrupt time leaves out sleep. Windows before 7 lacks it;
// there the tick count stands in, carried past its wrap after 49.7 days.
long long ReadMonotonicTime()
{
    static const UnbiasedTimeFunction unbiasedTime =
        reinterpret_cast<UnbiasedTimeFunction>(reinterpret_cast<void (*)()>(
            GetProcAddress(GetModuleHandleA("kernel32.dll"), "QueryUnbiasedInterruptTime")));
    ULONGLONG hundredNs = 0;
    if (unbiasedTime && unbiasedTime(&hundredNs))
        return static_cast<long long>(hundredNs / 10000);
    static DWORD lastTicks;
    static long long wraps;
    DWORD ticks = GetTickCount();
    if (ticks < lastTicks)
        ++wraps;
    lastTicks = ticks;
    return (wraps << 32) + ticks;
}
