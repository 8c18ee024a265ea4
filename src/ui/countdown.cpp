#include "ui/countdown.h"

#include "res/resource.h"
#include "schedule/local_time.h"
#include "schedule/task_table.h"
#include "schedule/time_rules.h"
#include "sound/sound.h"
#include "text/gbk_text.h"
#include "ui/alarm.h"
#include "ui/listed_tasks.h"

static void ShowCountdownText(HWND mainWindow, const char *text)
{
    SetDlgItemGbkText(mainWindow, IDC_MAIN_TASK_COUNTDOWN, text);
}

static void ArmForNextSecond(HWND mainWindow, const SYSTEMTIME &now)
{
    SetTimer(mainWindow, kScheduleTimerId, 1000 - now.wMilliseconds + kCountdownLagMs,
             ScheduleTimerProc);
}

static void StartTimer(HWND mainWindow)
{
    SYSTEMTIME now;
    ReadLocalTime(&now);
    ArmForNextSecond(mainWindow, now);
}

static void TaskAlarmAnswered(HWND mainWindow, int answer);
static const AlarmKind kTaskAlarm = {kScheduleTimerId, MB_OK, TaskAlarmAnswered};

// Whether the countdown goes on once the open task alarm is answered: a stop
// given while its box was open stands.
static bool resumeAfterAlarm;
static SYSTEMTIME ringingDueTime;

void ExecuteCommand(HWND mainWindow)
{
    SYSTEMTIME now;
    ReadLocalTime(&now);
    // An empty table's slot 0 is all zero, so it counts as invalid too.
    if (IsInvalidTask(TaskSlot(0).dueTime, now)) {
        GbkMessageBox(mainWindow, "首任务是无效任务，无法执行，请养成及时删除无效任务的好习惯~",
                      "执行失败", MB_ICONERROR);
        return;
    }
    resumeAfterAlarm = true;
    StartTimer(mainWindow);
}

void StopCountdown(HWND mainWindow)
{
    resumeAfterAlarm = false;
    KillTimer(mainWindow, kScheduleTimerId);
    ShowCountdownText(mainWindow, EMPTY_COUNTDOWN);
}

static void ResumeAfterAlarm(HWND mainWindow)
{
    if (!resumeAfterAlarm)
        return;
    if (TaskCount() == 0) {
        // The last task has rung: the countdown has ended.
        StopCountdown(mainWindow);
        return;
    }
    // At once, and armed again from there: a task that fell due while the
    // box was open rings now.
    ScheduleTimerProc(mainWindow, WM_TIMER, kScheduleTimerId, 0);
}

static void TaskAlarmAnswered(HWND mainWindow, int)
{
    // Found again by its minute: the table may have changed while the box
    // was open.
    RemoveListedTask(mainWindow, FindTaskByDueTime(ringingDueTime));
    ResumeAfterAlarm(mainWindow);
}

void CloseAlarmOfRemovedTask(HWND mainWindow)
{
    if (!AlarmOpen(&kTaskAlarm) || FindTaskByDueTime(ringingDueTime) >= 0)
        return;
    CloseAlarm(&kTaskAlarm);
    ResumeAfterAlarm(mainWindow);
}

void CALLBACK ScheduleTimerProc(HWND mainWindow, UINT, UINT_PTR, DWORD)
{
    SYSTEMTIME now;
    ReadLocalTime(&now);
    ArmForNextSecond(mainWindow, now);
    // The countdown waits while its box is open; the answer goes on.
    if (AlarmOpen(&kTaskAlarm))
        return;
    if (TaskCount() == 0) {
        // Emptied under a running countdown: nothing to count down to until
        // a task is added.
        ShowCountdownText(mainWindow, EMPTY_COUNTDOWN);
        return;
    }
    const TaskRecord &first = TaskSlot(0);
    // A due minute that went by without a tick (the computer slept) still
    // rings, late, rather than block every task behind it.
    if (IsInvalidTask(first.dueTime, now)) {
        wchar_t soundPath[kSoundPathSize];
        GbkToWide(first.soundPath, soundPath, kSoundPathSize);
        if (RingAlarm(mainWindow, &kTaskAlarm, soundPath, first.message, first.name))
            ringingDueTime = first.dueTime;
        return;
    }
    char text[kTimeTextSize];
    FormatCountdown(now, first.dueTime, text);
    ShowCountdownText(mainWindow, text);
}
