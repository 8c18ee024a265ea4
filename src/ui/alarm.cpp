#include "ui/alarm.h"

#include "schedule/format_text.h"
#include "sound/sound.h"
#include "ui/messages.h"

// What a box's thread reads: written before the thread starts and left alone
// until its answer has come back, so the two threads share nothing mutable.
struct AlarmBox {
    HWND mainWindow;
    WPARAM slot;
    UINT style;
    char text[kAlarmTextSize];
    char caption[kNameSize];
};

// One open alarm a slot: a kind has at most one box open at a time.
struct OpenAlarm {
    const AlarmKind *kind;  // NULL: a free slot
    AlarmSound sound;
    AlarmBox box;
};

const int kOpenAlarmSlots = 2;
static OpenAlarm openAlarms[kOpenAlarmSlots];

// Makes the box topmost as it is activated, without taking the keyboard:
// Wine ignores MB_TOPMOST. A hook of the box's own thread sees no other window.
static LRESULT CALLBACK RaiseAlarmBox(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        SetWindowPos(box, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

// No owner: an owned box would disable the main window, and its modal loop
// would nest inside whatever loop runs, returning only after the boxes
// opened above it. Unowned, it also gets a taskbar button of its own. Never
// MB_SETFOREGROUND: a key typed into another program must not answer a
// reminder that nobody saw.
static DWORD WINAPI WaitForAnswer(void *parameter)
{
    const AlarmBox *box = static_cast<const AlarmBox *>(parameter);
    HHOOK raise = SetWindowsHookExA(WH_CBT, RaiseAlarmBox, NULL, GetCurrentThreadId());
    int answer = MessageBoxA(NULL, box->text, box->caption, box->style | MB_TOPMOST);
    if (raise)
        UnhookWindowsHookEx(raise);
    PostMessageA(box->mainWindow, WM_ALARMANSWER, box->slot, answer);
    return 0;
}

bool AlarmOpen(const AlarmKind *kind)
{
    for (int slot = 0; slot < kOpenAlarmSlots; ++slot) {
        if (openAlarms[slot].kind == kind)
            return true;
    }
    return false;
}

static int FreeSlot()
{
    for (int slot = 0; slot < kOpenAlarmSlots; ++slot) {
        if (!openAlarms[slot].kind)
            return slot;
    }
    return -1;
}

bool RingAlarm(HWND mainWindow, const AlarmKind *kind, const char *soundPath, const char *text,
               const char *caption)
{
    int slot = FreeSlot();
    if (slot < 0 || AlarmOpen(kind))
        return false;
    OpenAlarm &alarm = openAlarms[slot];
    alarm.kind = kind;
    PlayAlarmSound(soundPath, &alarm.sound);
    KillTimer(mainWindow, kind->timerId);
    alarm.box.mainWindow = mainWindow;
    alarm.box.slot = slot;
    alarm.box.style = kind->style;
    CopyText(alarm.box.text, sizeof alarm.box.text, text);
    CopyText(alarm.box.caption, sizeof alarm.box.caption, caption);
    HANDLE thread = CreateThread(NULL, 0, WaitForAnswer, &alarm.box, 0, NULL);
    if (thread)
        CloseHandle(thread);
    else
        WaitForAnswer(&alarm.box);  // no thread to be had: the box waits here, as a modal loop
    return true;
}

void HandleAlarmAnswer(HWND mainWindow, WPARAM slot, LPARAM answer)
{
    if (slot >= static_cast<WPARAM>(kOpenAlarmSlots) || !openAlarms[slot].kind)
        return;
    OpenAlarm &alarm = openAlarms[slot];
    const AlarmKind *kind = alarm.kind;
    StopAlarmSound(&alarm.sound);
    alarm.kind = NULL;
    kind->answered(mainWindow, static_cast<int>(answer));
}

void BrowseForSound(HWND dialog, int pathEditId)
{
    char path[kSoundPathSize] = "";
    if (ChooseSoundFile(dialog, path) == 1)
        SetDlgItemTextA(dialog, pathEditId, path);
}
