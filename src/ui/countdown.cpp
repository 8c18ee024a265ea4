#include "ui/countdown.h"

#include "res/resource.h"
#include "schedule/local_time.h"
#include "schedule/task_table.h"
#include "schedule/time_rules.h"
#include "ui/alarm.h"
#include "ui/task_list.h"

static void ShowCountdownText(HWND mainWindow, const char *text)
{
    SetDlgItemTextA(mainWindow, IDC_MAIN_TASK_COUNTDOWN, text);
}

static void StartTimer(HWND mainWindow)
{
    SetTimer(mainWindow, kScheduleTimerId, kCountdownPeriodMs, ScheduleTimerProc);
}

void ExecuteCommand(HWND mainWindow)
{
    SYSTEMTIME now;
    ReadLocalTime(&now);
    // An empty table's slot 0 is all zero, so it counts as invalid too.
    if (IsInvalidTask(taskTable.slots[0].dueTime, now)) {
        MessageBoxA(mainWindow, "首任务是无效任务，无法执行，请养成及时删除无效任务的好习惯~",
                    "执行失败", MB_ICONERROR);
        return;
    }
    StartTimer(mainWindow);
}

// Counts the stops: an alarm whose box was open meanwhile must leave a
// countdown that the user stopped stopped.
static unsigned countdownStops;

void StopCountdown(HWND mainWindow)
{
    ++countdownStops;
    KillTimer(mainWindow, kScheduleTimerId);
    ShowCountdownText(mainWindow, EMPTY_COUNTDOWN);
}

// Returns whether the countdown goes on: false when no task is left, or
// when the user stopped it while the box was open.
static bool RingFirstTask(HWND mainWindow)
{
    const TaskRecord &first = taskTable.slots[0];
    SYSTEMTIME dueTime = first.dueTime;
    unsigned stops = countdownStops;
    RingAlarm(mainWindow, kScheduleTimerId, first.soundPath, first.message, first.name, MB_OK);

    // Found again by its minute: other windows stay usable while the box is
    // open, and the table may have changed meanwhile.
    RemoveListedTask(mainWindow, FindTaskByDueTime(dueTime));
    if (countdownStops != stops)
        return false;
    if (taskTable.lastIndex < 0) {
        ShowCountdownText(mainWindow, EMPTY_COUNTDOWN);
        return false;
    }
    StartTimer(mainWindow);
    return true;
}

void CALLBACK ScheduleTimerProc(HWND mainWindow, UINT, UINT_PTR, DWORD)
{
    // Read once: after an alarm the text is worked out from this same time.
    SYSTEMTIME now;
    ReadLocalTime(&now);
    // A due minute that went by without a tick (another alarm's box was
    // open, the computer slept) still rings, late, rather than block every
    // task behind it.
    while (taskTable.lastIndex >= 0 && IsInvalidTask(taskTable.slots[0].dueTime, now)) {
        if (!RingFirstTask(mainWindow))
            return;
    }
    if (taskTable.lastIndex < 0) {
        // Emptied under a running countdown: nothing to count down to until
        // a task is added.
        ShowCountdownText(mainWindow, EMPTY_COUNTDOWN);
        return;
    }
    char text[kTimeTextSize];
    FormatCountdown(now, taskTable.slots[0].dueTime, text);
    ShowCountdownText(mainWindow, text);
}
