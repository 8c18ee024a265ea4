#include <windows.h>
#include <commctrl.h>

#include "app/main_dialog.h"
#include "res/resource.h"

// The whole program is the main dialog; it ends only through the tray's
// exit command, and the exit status is always 0.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    InitCommonControls();
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), NULL, MainDialogProc, 0);
    return 0;
}
