#ifndef ZELBRIN_UI_ALARM_H
#define ZELBRIN_UI_ALARM_H

#include <windows.h>

#include "schedule/task_table.h"

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

// Starts the sound, stops the kind's timer and shows the box on a thread of
// its own, so that no box waits for another and the main window stays
// usable. Returns at once; false, doing nothing, while a box of this kind is
// still open.
bool RingAlarm(HWND mainWindow, const AlarmKind *kind, const char *soundPath, const char *text,
               const char *caption);
bool AlarmOpen(const AlarmKind *kind);

// WM_ALARMANSWER: stops that alarm's sound, then hands the answer to its kind.
void HandleAlarmAnswer(HWND mainWindow, WPARAM slot, LPARAM answer);

// What every "..." button does: choose a file and, when one was chosen, put
// its path into the dialog's sound-path field.
void BrowseForSound(HWND dialog, int pathEditId);

#endif
