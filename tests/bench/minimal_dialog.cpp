// The start-up yardstick: the least dialog program the same toolchain makes.
#include <windows.h>

static INT_PTR CALLBACK MinimalDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK)
        EndDialog(dialog, 0);
    return FALSE;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    DialogBoxParamA(instance, MAKEINTRESOURCEA(101), NULL, MinimalDialogProc, 0);
    return 0;
}
