#include "sound/mci.h"

#include <windows.h>
#include <mmsystem.h>

#include "sound/system_library.h"

typedef MCIERROR(WINAPI *MciSendStringFunction)(LPCWSTR, LPWSTR, UINT, HWND);

// In UTF-16: a path MCI reads through the system's ANSI code page names no
// file where that code page is not 936.
void SendMciCommand(const wchar_t *command)
{
    static const MciSendStringFunction send =
        reinterpret_cast<MciSendStringFunction>(SystemFunction("winmm.dll", "mciSendStringW"));
    if (!send)
        return;
    // Passed with a length of 0: nothing is ever written here.
    static wchar_t unused[4];
    send(command, unused, 0, NULL);
}
