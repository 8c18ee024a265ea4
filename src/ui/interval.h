#ifndef ZELBRIN_UI_INTERVAL_H
#define ZELBRIN_UI_INTERVAL_H

#include <windows.h>

// The interval count runs while this timer of the main window exists. The
// count itself is a deadline on the monotonic clock, so a tick held back or
// coalesced loses no time; the timer ticks just after each whole second
// before the deadline, and at the deadline itself.
const UINT_PTR kIntervalTimerId = 1;
const UINT kIntervalLagMs = 10;
// The most minutes whose seconds still fit a signed 32-bit count.
const int kMaxIntervalMinutes = 35791394;

// A whole number of minutes from 1 to kMaxIntervalMinutes, digits only.
bool ParseIntervalMinutes(const char *text, int *minutes);

// "开始计时": locks the minutes field and counts N minutes down, again from
// N when already counting; refuses a field that holds no valid N, and a
// sound path that names no file it can carry.
void StartIntervalCommand(HWND mainWindow);
// "停止计时", also while idle.
void StopIntervalCommand(HWND mainWindow);

// From "开始计时" until "停止计时" or "否", its box's time included: the
// minutes field must then stay disabled whichever panel is shown.
bool IntervalRunning();

void CALLBACK IntervalTimerProc(HWND mainWindow, UINT message, UINT_PTR timerId, DWORD tickCount);

#endif
