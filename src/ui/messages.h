#ifndef ZELBRIN_UI_MESSAGES_H
#define ZELBRIN_UI_MESSAGES_H

#include <windows.h>

// The main window's private messages.

// The tray icon's callback: wParam is the icon's id, lParam the mouse message.
const UINT WM_TRAYNOTIFY = WM_USER + 5;
// An alarm box was answered on its own thread: wParam is the alarm's slot,
// lParam the button.
const UINT WM_ALARMANSWER = WM_USER + 6;
// That box exists: wParam is the alarm's slot, lParam the box's window.
const UINT WM_ALARMSHOWN = WM_USER + 7;

#endif
