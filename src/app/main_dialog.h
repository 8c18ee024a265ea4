#ifndef ZELBRIN_APP_MAIN_DIALOG_H
#define ZELBRIN_APP_MAIN_DIALOG_H

#include <windows.h>

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL InitMainDialog(HWND mainWindow);
void MainDialogCommand(HWND mainWindow, int controlId, LPARAM lParam, int notifyCode);
void HideMainWindow(HWND mainWindow);
void ShowUsage(HWND mainWindow);

// Read from the main window while it initialises.
HINSTANCE ProgramInstance();

extern const char USAGE_TEXT[];

#endif
