#ifndef ZELBRIN_APP_MAIN_DIALOG_H
#define ZELBRIN_APP_MAIN_DIALOG_H

#include <windows.h>

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL InitMainDialog(HWND mainWindow);
void MainDialogCommand(HWND mainWindow, int controlId, LPARAM lParam, int notifyCode);
void HideMainWindow(HWND mainWindow);
void ShowUsage(HWND mainWindow);

extern const char USAGE_TEXT[];

#endif
