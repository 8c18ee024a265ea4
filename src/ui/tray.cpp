#include "ui/tray.h"

#include <shellapi.h>
#include <string.h>

#include "res/resource.h"
#include "text/gbk_text.h"

static HMENU trayMenu;
// The first-version ANSI layout: the larger records add nothing we use.
static NOTIFYICONDATAA trayIconData;

static_assert(sizeof(void *) != 4 || NOTIFYICONDATAA_V1_SIZE == 88, "first-version tray record");

void CreateTrayMenu()
{
    trayMenu = CreatePopupMenu();
    AppendGbkMenuItem(trayMenu, IDM_TRAY_ABOUT, "关于");
    AppendGbkMenuItem(trayMenu, IDM_TRAY_EXIT, "退出");
}

void ClearTrayIconData()
{
    memset(&trayIconData, 0, sizeof trayIconData);
}

void AddTrayIcon(HWND mainWindow, HINSTANCE instance)
{
    trayIconData.cbSize = NOTIFYICONDATAA_V1_SIZE;
    trayIconData.hWnd = mainWindow;
    trayIconData.uID = 0;
    trayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    trayIconData.uCallbackMessage = WM_TRAYNOTIFY;
    trayIconData.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP));
    lstrcpyA(trayIconData.szTip, "Zelbrin");
    Shell_NotifyIconA(NIM_ADD, &trayIconData);
}

static void OpenTrayMenu(HWND mainWindow)
{
    // The menu only closes on a click elsewhere when its owner is in the
    // foreground, hidden or not.
    SetForegroundWindow(mainWindow);
    POINT cursor;
    GetCursorPos(&cursor);
    TrackPopupMenu(trayMenu, TPM_RIGHTALIGN | TPM_LEFTBUTTON | TPM_TOPALIGN, cursor.x, cursor.y, 0,
                   mainWindow, NULL);
    // Without a message after the menu, reopening it from the tray fails
    // every second time on Windows.
    PostMessageA(mainWindow, WM_NULL, 0, 0);
}

// Shown where it was, unless that is on a monitor since unplugged (a laptop
// taken off its dock): then it comes onto the nearest one, or the program
// could not be reached again.
// Centred on the nearest one's work area; DM_REPOSITION would do it on
// Windows, but Wine ignores it.
static void ShowMainWindow(HWND mainWindow)
{
    ShowWindow(mainWindow, SW_SHOWNORMAL);
    if (MonitorFromWindow(mainWindow, MONITOR_DEFAULTTONULL))
        return;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(mainWindow, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT window;
    GetWindowRect(mainWindow, &window);
    const RECT &work = monitor.rcWork;
    int left = (work.left + work.right - (window.right - window.left)) / 2;
    int top = (work.top + work.bottom - (window.bottom - window.top)) / 2;
    SetWindowPos(mainWindow, NULL, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void HandleTrayNotify(HWND mainWindow, WPARAM iconId, LPARAM mouseMessage)
{
    if (iconId != 0)
        return;
    if (mouseMessage == WM_RBUTTONDOWN)
        OpenTrayMenu(mainWindow);
    else if (mouseMessage == WM_LBUTTONDOWN)
        ShowMainWindow(mainWindow);
}

bool IsTaskbarCreatedMessage(UINT message)
{
    static const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    return message != 0 && message == taskbarCreated;
}

void RestoreTrayIcon()
{
    if (trayIconData.cbSize != 0)
        Shell_NotifyIconA(NIM_ADD, &trayIconData);
}

void RemoveTrayIcon()
{
    Shell_NotifyIconA(NIM_DELETE, &trayIconData);
    trayIconData.cbSize = 0;
}
