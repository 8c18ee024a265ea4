#include "ui/interval.h"

#include "res/resource.h"
#include "schedule/format_text.h"
#include "schedule/task_table.h"
#include "sound/sound.h"
#include "ui/alarm.h"
#include "ui/panels.h"

static int secondsLeft = 0;
// Whether the open box answers for the count: a stop or a new start given
// while it was open stands.
static bool awaitingAnswer;

static void IntervalAlarmAnswered(HWND mainWindow, int answer);
static const AlarmKind kIntervalAlarm = {kIntervalTimerId, MB_YESNO, IntervalAlarmAnswered};

static const char kEmptyIntervalText[] = "0分0秒";
static const char kBoxTextFormat[] = "%s\n\n[确定]继续计时，[取消]退出计时";
static const int kMinutesTextSize = 256;

bool ParseIntervalMinutes(const char *text, int *minutes)
{
    if (*text == '\0')
        return false;
    long long value = 0;
    for (const char *c = text; *c; ++c) {
        if (*c < '0' || *c > '9')
            return false;
        value = value * 10 + (*c - '0');
        if (value > kMaxIntervalMinutes)
            return false;
    }
    if (value < 1)
        return false;
    *minutes = static_cast<int>(value);
    return true;
}

static bool ReadIntervalMinutes(HWND mainWindow, int *minutes)
{
    char text[kMinutesTextSize] = "";
    GetDlgItemTextA(mainWindow, IDC_MAIN_MINUTES, text, sizeof text);
    return ParseIntervalMinutes(text, minutes);
}

static void StartCounting(HWND mainWindow, int minutes)
{
    secondsLeft = minutes * 60;
    SetTimer(mainWindow, kIntervalTimerId, kIntervalPeriodMs, IntervalTimerProc);
}

// Enables the minutes field even while the interval panel is hidden, so the
// next switch to that panel shows it enabled.
static void EndCounting(HWND mainWindow)
{
    awaitingAnswer = false;
    EnableWindow(GetDlgItem(mainWindow, IDC_MAIN_MINUTES), TRUE);
    KillTimer(mainWindow, kIntervalTimerId);
    SetDlgItemTextA(mainWindow, IDC_MAIN_INTERVAL_COUNTDOWN, kEmptyIntervalText);
    intervalRunning = 0;
}

static void RefuseMinutes(HWND mainWindow)
{
    MessageBoxA(mainWindow, "请输入1到35791394之间的分钟数", "开始失败", MB_ICONERROR);
}

void StartIntervalCommand(HWND mainWindow)
{
    int minutes = 0;
    if (!ReadIntervalMinutes(mainWindow, &minutes)) {
        RefuseMinutes(mainWindow);
        return;
    }
    EnableWindow(GetDlgItem(mainWindow, IDC_MAIN_MINUTES), FALSE);
    intervalRunning = 1;
    awaitingAnswer = false;
    StartCounting(mainWindow, minutes);
}

void StopIntervalCommand(HWND mainWindow)
{
    EndCounting(mainWindow);
}

static void RingInterval(HWND mainWindow)
{
    awaitingAnswer = true;
    if (AlarmOpen(&kIntervalAlarm)) {
        // A count started anew ran out while the last box is still open:
        // that box, on screen and sounding, answers for this count too.
        KillTimer(mainWindow, kIntervalTimerId);
        return;
    }
    // Read at the moment it rings: they may have changed while counting.
    char title[kNameSize] = "";
    char message[kMessageSize] = "";
    char soundPath[kSoundPathSize] = "";
    GetDlgItemTextA(mainWindow, IDC_MAIN_TITLE, title, sizeof title);
    GetDlgItemTextA(mainWindow, IDC_MAIN_MESSAGE, message, sizeof message);
    GetDlgItemTextA(mainWindow, IDC_MAIN_SOUND_PATH, soundPath, sizeof soundPath);
    char text[kAlarmTextSize];
    FormatText(text, sizeof text, kBoxTextFormat, message);
    RingAlarm(mainWindow, &kIntervalAlarm, soundPath, text, title);
}

static void IntervalAlarmAnswered(HWND mainWindow, int answer)
{
    if (!awaitingAnswer)
        return;
    awaitingAnswer = false;
    int minutes = 0;
    if (answer == IDNO) {
        EndCounting(mainWindow);
    } else if (!ReadIntervalMinutes(mainWindow, &minutes)) {
        // The field was changed while the box was open.
        EndCounting(mainWindow);
        RefuseMinutes(mainWindow);
    } else {
        StartCounting(mainWindow, minutes);
    }
}

void CALLBACK IntervalTimerProc(HWND mainWindow, UINT, UINT_PTR, DWORD)
{
    --secondsLeft;
    char text[kMinutesTextSize];
    FormatText(text, sizeof text, "%d分%d秒", secondsLeft / 60, secondsLeft % 60);
    SetDlgItemTextA(mainWindow, IDC_MAIN_INTERVAL_COUNTDOWN, text);
    if (secondsLeft > 0)
        return;
    RingInterval(mainWindow);
}
