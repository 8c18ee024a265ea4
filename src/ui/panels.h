#ifndef ZELBRIN_UI_PANELS_H
#define ZELBRIN_UI_PANELS_H

#include <windows.h>

void HideScheduledPanel(HWND mainWindow);
void ShowScheduledPanel(HWND mainWindow);
void HideIntervalPanel(HWND mainWindow);
void ShowIntervalPanel(HWND mainWindow);

#endif
