#include "support/main_window.h"

#include <shellapi.h>

#include "app/main_dialog.h"
#include "res/resource.h"
#include "support/modal_answerer.h"

HWND CreateMainWindow()
{
    // Wine activates the dialog while it is created, when it sets the focus.
    PauseAnsweringModals(true);
    HWND mainWindow = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_MAIN),
                                         NULL, MainDialogProc, 0);
    IgnoreWindowForModals(mainWindow);
    PauseAnsweringModals(false);
    ShowWindow(mainWindow, SW_SHOWNORMAL);
    PumpMessages();
    return mainWindow;
}

void DestroyMainWindow(HWND mainWindow)
{
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = mainWindow;
    Shell_NotifyIconA(NIM_DELETE, &icon);
    DestroyWindow(mainWindow);
    PumpMessages();
}

void SendCommand(HWND window, int id, int notifyCode)
{
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, notifyCode),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

bool TrayIconExists(HWND mainWindow)
{
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = mainWindow;
    return Shell_NotifyIconA(NIM_MODIFY, &icon) != FALSE;
}

std::string ControlText(HWND window, int id)
{
    char text[4096] = "";
    GetDlgItemTextA(window, id, text, sizeof text);
    return text;
}

bool ControlVisible(HWND window, int id)
{
    return (GetWindowLongA(GetDlgItem(window, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

bool ControlEnabled(HWND window, int id)
{
    return IsWindowEnabled(GetDlgItem(window, id)) != FALSE;
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
