#ifndef ZELBRIN_UI_COUNTDOWN_H
#define ZELBRIN_UI_COUNTDOWN_H

#include <windows.h>

// The scheduled countdown counts while this timer of the main window exists,
// and while the first task's box is open if no stop came meanwhile. It ticks
// just after each whole second of the local clock, so that its text turns
// with the clock and a task rings as its minute starts.
const UINT_PTR kScheduleTimerId = 0;
const UINT kCountdownLagMs = 10;

// "执行": starts the one-second countdown to the first task, or refuses when
// the first task is invalid or there is none.
void ExecuteCommand(HWND mainWindow);
// "停止任务", and what deleting the first task or clearing does too.
void StopCountdown(HWND mainWindow);

// After a command took tasks out of the table: if the task whose box is open
// went with them, its box closes and its sound stops, and a countdown that
// was not stopped goes on at once.
void CloseAlarmOfRemovedTask(HWND mainWindow);

// Each tick aims at slot 0 afresh and rings it in its due minute.
void CALLBACK ScheduleTimerProc(HWND mainWindow, UINT message, UINT_PTR timerId, DWORD tickCount);

#endif
