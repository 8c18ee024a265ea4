#ifndef ZELBRIN_UI_PANELS_H
#define ZELBRIN_UI_PANELS_H

#include <windows.h>

// 1 while the interval countdown runs: the minutes field must then stay
// disabled whichever panel is shown.
extern int intervalRunning;

void HideScheduledPanel(HWND mainWindow);
void ShowScheduledPanel(HWND mainWindow);
void HideIntervalPanel(HWND mainWindow);
void ShowIntervalPanel(HWND mainWindow);

#endif
