#ifndef ZELBRIN_SCHEDULE_TIME_RULES_H
#define ZELBRIN_SCHEDULE_TIME_RULES_H

#include "system_time.h"

// Results of CompareTaskTime.
const int kSameMinute = 0;
const int kLater = 1;
const int kEarlier = 2;

const int kTimeTextSize = 256;

// The countdown text whenever no countdown runs.
extern const char EMPTY_COUNTDOWN[];

// Compares year, month, day, hour and minute, in that order.
int CompareTaskTime(const SYSTEMTIME &a, const SYSTEMTIME &b);

// A task is invalid when its due minute is the current minute or already past.
bool IsInvalidTask(const SYSTEMTIME &dueTime, const SYSTEMTIME &now);

// "2013-5-5 | 06:07"
void FormatTaskTime(const SYSTEMTIME &dueTime, char out[kTimeTextSize]);

// Every year divisible by 4 is a leap year: there is no century rule.
int DaysInMonth(int month, int year);
int DayOfYear(int year, int month, int day);

// "%d天%d时%d分%d秒" from now to second 0 of the due minute.
void FormatCountdown(const SYSTEMTIME &now, const SYSTEMTIME &dueTime, char out[kTimeTextSize]);

#endif
