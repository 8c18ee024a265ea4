#ifndef ZELBRIN_UI_TRAY_H
#define ZELBRIN_UI_TRAY_H

#include <windows.h>

#include "ui/messages.h"

void CreateTrayMenu();
void ClearTrayIconData();
void AddTrayIcon(HWND mainWindow, HINSTANCE instance);

// wParam is the icon's id, lParam the mouse message.
void HandleTrayNotify(HWND mainWindow, WPARAM iconId, LPARAM mouseMessage);

// Explorer broadcasts this when it re-creates the taskbar; icons added before
// are gone then and must be added again.
bool IsTaskbarCreatedMessage(UINT message);
void RestoreTrayIcon();

// For the program's end: the icon goes, and is not put back.
void RemoveTrayIcon();

#endif
