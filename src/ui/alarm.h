#ifndef ZELBRIN_UI_ALARM_H
#define ZELBRIN_UI_ALARM_H

#include <windows.h>

#include "schedule/task_table.h"

// Shows again, on the GUI thread, a box that no thread could show.
const UINT_PTR kAlarmBoxTimerId = 2;

// The longest box text: a message and the interval's two fixed lines.
const int kAlarmTextSize = kMessageSize + 64;

// What sets one mode's alarms apart: the timer it stops while its box is
// open, the box's buttons, and what the mode does with the answer, on the
// GUI thread, after the sound has stopped.
struct AlarmKind {
    UINT_PTR timerId;
    UINT style;
    void (*answered)(HWND mainWindow, int answer);
};

// Stops the kind's timer, shows the box on a thread of its own, so that no
// box waits for another and the main window stays usable, and starts the
// sound. Returns at once; false, doing nothing, while a box of this kind is
// still open.
bool RingAlarm(HWND mainWindow, const AlarmKind *kind, const wchar_t *soundPath, const char *text,
               const char *caption);
bool AlarmOpen(const AlarmKind *kind);

// The alarm no longer stands for anything (its task is gone): its sound
// stops and its box closes, and its answer is not handed to its kind.
void CloseAlarm(const AlarmKind *kind);

// WM_ALARMSHOWN: the box's window, so that it can be closed.
void HandleAlarmShown(WPARAM slot, LPARAM window);
// WM_ALARMANSWER: stops that alarm's sound, then hands the answer to its kind.
// A box that never came up (answer 0) is shown again instead.
void HandleAlarmAnswer(HWND mainWindow, WPARAM slot, LPARAM answer);

// Whether an alarm box may become the active window, with this foreground
// window: Windows lets any thread of the process that had the last input
// take the foreground, so a box opening while the user types in one of this
// program's windows would take the next key and be answered unseen. So it
// does only when clicked, or when another program is in front (which keeps
// the keyboard anyway). With no window in front it waits too: the system
// makes its first try that way after the box was refused.
bool AlarmBoxMayActivate(HWND foreground, bool byMouse);

#endif
