#ifndef ZELBRIN_UI_ALARM_H
#define ZELBRIN_UI_ALARM_H

#include <windows.h>

// Every alarm: start the sound, kill the alarm's own timer so that no tick
// comes while the box is open, show the box above every other window, and
// stop the sound once it is answered. Returns the answer; whether the timer
// starts again is the caller's.
int RingAlarm(HWND mainWindow, UINT_PTR timerId, const char *soundPath, const char *text,
              const char *caption, UINT style);

// What every "..." button does: choose a file and, when one was chosen, put
// its path into the dialog's sound-path field.
void BrowseForSound(HWND dialog, int pathEditId);

#endif
