#ifndef ZELBRIN_TESTS_MAIN_WINDOW_H
#define ZELBRIN_TESTS_MAIN_WINDOW_H

#include <windows.h>

#include <string>

// The main dialog made from its template, modeless so that a test can drive
// it; shown, and ignored by the modal answerer.
HWND CreateMainWindow();
// Removes its tray icon and destroys it.
void DestroyMainWindow(HWND mainWindow);

void SendCommand(HWND window, int id, int notifyCode = BN_CLICKED);

// A no-op NIM_MODIFY succeeds only while the icon exists.
bool TrayIconExists(HWND mainWindow);

std::string ControlText(HWND window, int id);
bool ControlVisible(HWND window, int id);
bool ControlEnabled(HWND window, int id);

void PumpMessages();

#endif
