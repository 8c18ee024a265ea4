#include "time_rules.h"

#include "format_text.h"

const char EMPTY_COUNTDOWN[] = "0天0时0分0秒";

static int CompareField(WORD a, WORD b)
{
    if (a > b)
        return kLater;
    if (a < b)
        return kEarlier;
    return kSameMinute;
}

int CompareTaskTime(const SYSTEMTIME &a, const SYSTEMTIME &b)
{
    const WORD fieldsA[] = {a.wYear, a.wMonth, a.wDay, a.wHour, a.wMinute};
    const WORD fieldsB[] = {b.wYear, b.wMonth, b.wDay, b.wHour, b.wMinute};
    for (int i = 0; i < 5; ++i) {
        int result = CompareField(fieldsA[i], fieldsB[i]);
        if (result != kSameMinute)
            return result;
    }
    return kSameMinute;
}

bool IsInvalidTask(const SYSTEMTIME &dueTime, const SYSTEMTIME &now)
{
    return CompareTaskTime(dueTime, now) != kLater;
}

void FormatTaskTime(const SYSTEMTIME &dueTime, char out[kTimeTextSize])
{
    FormatText(out, kTimeTextSize, "%d-%d-%d | %02d:%02d", dueTime.wYear, dueTime.wMonth, dueTime.wDay,
               dueTime.wHour, dueTime.wMinute);
}

static bool IsLeapYear(int year)
{
    return year % 4 == 0;
}

int DaysInMonth(int month, int year)
{
    switch (month) {
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12:
        return 31;
    case 2:
        return IsLeapYear(year) ? 29 : 28;
    default:
        return 30;
    }
}

int DayOfYear(int year, int month, int day)
{
    int total = day;
    for (int m = 1; m < month; ++m)
        total += DaysInMonth(m, year);
    return total;
}

void FormatCountdown(const SYSTEMTIME &now, const SYSTEMTIME &dueTime, char out[kTimeTextSize])
{
    int days = 0;
    for (int year = now.wYear; year < dueTime.wYear; ++year)
        days += IsLeapYear(year) ? 366 : 365;
    days += DayOfYear(dueTime.wYear, dueTime.wMonth, dueTime.wDay);
    days -= DayOfYear(now.wYear, now.wMonth, now.wDay);

    int hours = dueTime.wHour - now.wHour;
    int minutes = dueTime.wMinute - now.wMinute;
    int seconds = 0;
    if (now.wSecond != 0) {
        minutes -= 1;
        seconds = 60 - now.wSecond;
    }
    // One borrow each, by design: a due time already past shows a negative
    // day count with the other fields in range.
    if (minutes < 0) {
        minutes += 60;
        hours -= 1;
    }
    if (hours < 0) {
        hours += 24;
        days -= 1;
    }
    FormatText(out, kTimeTextSize, "%d天%d时%d分%d秒", days, hours, minutes, seconds);
}
