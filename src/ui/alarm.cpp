#include "ui/alarm.h"

#include "sound/sound.h"

static HHOOK boxHook;

// Makes the next dialog box this thread activates, the alarm's box, topmost
// without taking the keyboard: Wine ignores MB_TOPMOST.
static LRESULT CALLBACK RaiseAlarmBox(int code, WPARAM wParam, LPARAM lParam)
{
    LRESULT next = CallNextHookEx(boxHook, code, wParam, lParam);
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        SetWindowPos(box, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        UnhookWindowsHookEx(boxHook);
        boxHook = NULL;
    }
    return next;
}

static int ShowAlarmBox(HWND mainWindow, const char *text, const char *caption, UINT style)
{
    if (!boxHook)
        boxHook = SetWindowsHookExA(WH_CBT, RaiseAlarmBox, NULL, GetCurrentThreadId());
    // An owned box opens just above its owner, which is mostly hidden in the
    // tray or behind the user's work: topmost, it shows above everything.
    // Never MB_SETFOREGROUND: a key typed into another program must not
    // answer a reminder that nobody saw.
    return MessageBoxA(mainWindow, text, caption, style | MB_TOPMOST);
}

int RingAlarm(HWND mainWindow, UINT_PTR timerId, const char *soundPath, const char *text,
              const char *caption, UINT style)
{
    AlarmSound sound;
    PlayAlarmSound(soundPath, &sound);
    KillTimer(mainWindow, timerId);
    int answer = ShowAlarmBox(mainWindow, text, caption, style);
    StopAlarmSound(&sound);
    return answer;
}

void BrowseForSound(HWND dialog, int pathEditId)
{
    char path[kSoundPathSize] = "";
    if (ChooseSoundFile(dialog, path) == 1)
        SetDlgItemTextA(dialog, pathEditId, path);
}
