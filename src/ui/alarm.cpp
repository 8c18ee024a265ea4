#include "ui/alarm.h"

#include <string.h>

#include <algorithm>

#include "sound/sound.h"
#include "text/gbk_text.h"
#include "ui/messages.h"

// What a box's thread reads: written before the thread starts and left alone
// until its answer has come back, so the two threads share nothing mutable.
struct AlarmBox {
    HWND mainWindow;
    WPARAM slot;
    UINT style;
    wchar_t text[kAlarmTextSize];
    wchar_t caption[kNameSize];
};

// One ringing alarm a slot. A kind has at most one box open; a box whose
// task is gone keeps its slot, closing, until its thread has answered, so
// that a late answer never lands on the next alarm.
struct OpenAlarm {
    const AlarmKind *kind;  // NULL: a free slot
    bool closing;           // its answer, when it comes, counts for nothing
    bool unshown;           // waits to be shown on the GUI thread
    HWND window;            // the box, once it exists
    AlarmSound sound;
    AlarmBox box;
};

const int kOpenAlarmSlots = 4;
static_assert(kOpenAlarmSlots <= kMaxAlarmSounds, "every box can sound");
static OpenAlarm openAlarms[kOpenAlarmSlots];

// A box that could not be shown is tried again after this long.
static const UINT kShowAgainMs = 1000;
// How long a box's thread waits before it posts again into a full queue.
static const DWORD kPostAgainMs = 50;

// The box the calling thread shows, and its window once made, for its hook.
// Each thread keeps its own in a slot of Windows's thread storage: the C++
// runtime's would bring in a threads library that Windows XP cannot load.
// Boxes shown on the GUI thread can nest, so each keeps the outer one's and
// puts it back.
struct WatchedBox {
    const AlarmBox *box;
    HWND window;
    HWND wasInFront;  // as the box was made: the window the user was in
};
static const DWORD watchedBoxSlot = TlsAlloc();

static bool OfThisProgram(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return window && process == GetCurrentProcessId();
}

bool AlarmBoxMayActivate(HWND foreground, bool byMouse)
{
    return byMouse || (foreground && !OfThisProgram(foreground));
}

// A box refused activation has all the same taken the foreground, and with it
// the keyboard, from the window the user was in: the next key would be lost.
// Where that is one of this program's, it gets them back.
static void GiveBackForeground(HWND wasInFront)
{
    if (OfThisProgram(wasInFront) && GetForegroundWindow() != wasInFront)
        SetForegroundWindow(wasInFront);
}

static bool OnGuiThread(HWND mainWindow)
{
    return GetWindowThreadProcessId(mainWindow, NULL) == GetCurrentThreadId();
}

// A box's thread posts its news to the main window, again and again while
// the window's queue is full, so nothing is lost; news from a box on the GUI
// thread is handled at once.
static void Report(const AlarmBox *box, UINT message, LPARAM value)
{
    if (OnGuiThread(box->mainWindow)) {
        if (message == WM_ALARMSHOWN)
            HandleAlarmShown(box->slot, value);
        else
            HandleAlarmAnswer(box->mainWindow, box->slot, value);
        return;
    }
    while (!PostMessageW(box->mainWindow, message, box->slot, value) && IsWindow(box->mainWindow))
        Sleep(kPostAgainMs);
}

// The box is of the dialog class, as MessageBoxW makes it. An input method
// or a text service may create windows of its own on the thread first.
static bool IsBoxWindow(HWND window, const CREATESTRUCTW *create)
{
    wchar_t className[8] = L"";
    GetClassNameW(window, className, 8);
    return !(create->style & WS_CHILD) && lstrcmpW(className, L"#32770") == 0;
}

// Catches the box alone. It makes the box topmost as it is activated,
// without taking the keyboard (Wine ignores MB_TOPMOST), and keeps it
// inactive where a key meant for one of this program's windows would answer
// it unseen.
static LRESULT CALLBACK WatchAlarmBox(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = reinterpret_cast<HWND>(wParam);
    WatchedBox *watched = static_cast<WatchedBox *>(TlsGetValue(watchedBoxSlot));
    if (!watched)
        return CallNextHookEx(NULL, code, wParam, lParam);
    if (code == HCBT_CREATEWND && !watched->window &&
        IsBoxWindow(window, reinterpret_cast<CBT_CREATEWNDW *>(lParam)->lpcs)) {
        watched->window = window;
        watched->wasInFront = GetForegroundWindow();
        Report(watched->box, WM_ALARMSHOWN, reinterpret_cast<LPARAM>(window));
    }
    if (code == HCBT_ACTIVATE && window == watched->window) {
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        bool byMouse = reinterpret_cast<CBTACTIVATESTRUCT *>(lParam)->fMouse != FALSE;
        if (!AlarmBoxMayActivate(GetForegroundWindow(), byMouse)) {
            GiveBackForeground(watched->wasInFront);
            return 1;
        }
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
    WatchedBox watched = {box, NULL, NULL};
    void *outer = TlsGetValue(watchedBoxSlot);
    TlsSetValue(watchedBoxSlot, &watched);
    HHOOK hook = SetWindowsHookExW(WH_CBT, WatchAlarmBox, NULL, GetCurrentThreadId());
    int answer = MessageBoxW(NULL, box->text, box->caption, box->style | MB_TOPMOST);
    if (hook)
        UnhookWindowsHookEx(hook);
    TlsSetValue(watchedBoxSlot, outer);
    Report(box, WM_ALARMANSWER, answer);
    return 0;
}

static void CALLBACK ShowUnshownBoxes(HWND mainWindow, UINT, UINT_PTR, DWORD)
{
    KillTimer(mainWindow, kAlarmBoxTimerId);
    for (OpenAlarm &alarm : openAlarms) {
        if (alarm.kind && alarm.unshown) {
            alarm.unshown = false;
            WaitForAnswer(&alarm.box);
        }
    }
}

// On the GUI thread, from a timer, so that the box's modal loop never nests
// inside the tick or the answer that rang it.
static void ShowLaterOnGuiThread(OpenAlarm &alarm, UINT delayMs)
{
    alarm.unshown = true;
    alarm.window = NULL;
    SetTimer(alarm.box.mainWindow, kAlarmBoxTimerId, delayMs, ShowUnshownBoxes);
}

static void ShowBox(OpenAlarm &alarm)
{
    HANDLE thread = CreateThread(NULL, 0, WaitForAnswer, &alarm.box, 0, NULL);
    if (thread)
        CloseHandle(thread);
    else
        ShowLaterOnGuiThread(alarm, 0);
}

static OpenAlarm *FindAlarm(bool (*wanted)(const OpenAlarm &, const AlarmKind *), const AlarmKind *kind)
{
    OpenAlarm *end = openAlarms + kOpenAlarmSlots;
    OpenAlarm *found =
        std::find_if(openAlarms, end, [&](const OpenAlarm &alarm) { return wanted(alarm, kind); });
    return found == end ? NULL : found;
}

static bool Ringing(const OpenAlarm &alarm, const AlarmKind *kind)
{
    return alarm.kind == kind && !alarm.closing;
}

static bool Free(const OpenAlarm &alarm, const AlarmKind *)
{
    return !alarm.kind;
}

static OpenAlarm *RingingAlarm(const AlarmKind *kind)
{
    return FindAlarm(Ringing, kind);
}

bool AlarmOpen(const AlarmKind *kind)
{
    return RingingAlarm(kind) != NULL;
}

bool RingAlarm(HWND mainWindow, const AlarmKind *kind, const wchar_t *soundPath, const char *text,
               const char *caption)
{
    OpenAlarm *alarm = FindAlarm(Free, NULL);
    if (!alarm || AlarmOpen(kind))
        return false;
    alarm->kind = kind;
    alarm->closing = false;
    alarm->unshown = false;
    alarm->window = NULL;
    // The box comes first, as the minute starts: opening the sound file can
    // take seconds (a sleeping disk, a network share).
    alarm->box.mainWindow = mainWindow;
    alarm->box.slot = alarm - openAlarms;
    alarm->box.style = kind->style;
    GbkToWide(text, alarm->box.text, kAlarmTextSize);
    GbkToWide(caption, alarm->box.caption, kNameSize);
    KillTimer(mainWindow, kind->timerId);
    ShowBox(*alarm);
    PlayAlarmSound(soundPath, &alarm->sound);
    return true;
}

// A task's box has OK alone.
static void CloseBox(const OpenAlarm &alarm)
{
    PostMessageW(alarm.window, WM_COMMAND, IDOK, 0);
}

void CloseAlarm(const AlarmKind *kind)
{
    OpenAlarm *alarm = RingingAlarm(kind);
    if (!alarm)
        return;
    StopAlarmSound(&alarm->sound);
    memset(&alarm->sound, 0, sizeof alarm->sound);
    if (alarm->unshown) {
        alarm->kind = NULL;
        return;
    }
    // Kept until its thread has ended: the thread still reads its copies.
    alarm->closing = true;
    if (alarm->window)
        CloseBox(*alarm);
}

void HandleAlarmShown(WPARAM slot, LPARAM window)
{
    if (slot >= static_cast<WPARAM>(kOpenAlarmSlots) || !openAlarms[slot].kind)
        return;
    OpenAlarm &alarm = openAlarms[slot];
    alarm.window = reinterpret_cast<HWND>(window);
    if (alarm.closing)
        CloseBox(alarm);
}

void HandleAlarmAnswer(HWND mainWindow, WPARAM slot, LPARAM answer)
{
    if (slot >= static_cast<WPARAM>(kOpenAlarmSlots) || !openAlarms[slot].kind)
        return;
    OpenAlarm &alarm = openAlarms[slot];
    if (answer <= 0 && !alarm.closing) {
        // No box came up (Windows says 0, Wine -1): a reminder nobody saw is
        // not answered.
        ShowLaterOnGuiThread(alarm, kShowAgainMs);
        return;
    }
    const AlarmKind *kind = alarm.kind;
    bool answered = !alarm.closing;
    StopAlarmSound(&alarm.sound);
    alarm.kind = NULL;
    if (answered)
        kind->answered(mainWindow, static_cast<int>(answer));
}
