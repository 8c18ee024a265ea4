#include "ui/interval.h"

#include "res/resource.h"
#include "schedule/format_text.h"
#include "schedule/local_time.h"
#include "schedule/task_table.h"
#include "sound/sound.h"
#include "text/gbk_text.h"
#include "ui/alarm.h"

static int intervalRunning;
static long long intervalDeadline;  // on the monotonic clock
// Whether the open box answers for the count: a stop or a new start given
// while it was open stands.
static bool awaitingAnswer;

static void IntervalAlarmAnswered(HWND mainWindow, int answer);
static const AlarmKind kIntervalAlarm = {kIntervalTimerId, MB_YESNO, IntervalAlarmAnswered};

static const char kEmptyIntervalText[] = "0分0秒";
static const char kBoxTextFormat[] = "%s\n\n[确定]继续计时，[取消]退出计时";
static const int kMinutesTextSize = 256;

bool IntervalRunning()
{
    return intervalRunning != 0;
}

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
    GetDlgItemGbkText(mainWindow, IDC_MAIN_MINUTES, text, sizeof text);
    return ParseIntervalMinutes(text, minutes);
}

// Next at the moment the count passes a whole second, so that each tick
// shows a new one and the last falls on the deadline.
static void ArmTimer(HWND mainWindow, long long msLeft)
{
    UINT toNextSecond = static_cast<UINT>((msLeft - 1) % 1000 + 1);
    SetTimer(mainWindow, kIntervalTimerId, toNextSecond + kIntervalLagMs, IntervalTimerProc);
}

static void StartCounting(HWND mainWindow, int minutes)
{
    long long msLeft = minutes * 60000LL;
    intervalDeadline = ReadMonotonicTime() + msLeft;
    ArmTimer(mainWindow, msLeft);
}

// Enables the minutes field even while the interval panel is hidden, so the
// next switch to that panel shows it enabled.
static void EndCounting(HWND mainWindow)
{
    awaitingAnswer = false;
    EnableWindow(GetDlgItem(mainWindow, IDC_MAIN_MINUTES), TRUE);
    KillTimer(mainWindow, kIntervalTimerId);
    SetDlgItemGbkText(mainWindow, IDC_MAIN_INTERVAL_COUNTDOWN, kEmptyIntervalText);
    intervalRunning = 0;
}

static void RefuseMinutes(HWND mainWindow)
{
    GbkMessageBox(mainWindow, "请输入1到35791394之间的分钟数", "开始失败", MB_ICONERROR);
}

void StartIntervalCommand(HWND mainWindow)
{
    int minutes = 0;
    if (!ReadIntervalMinutes(mainWindow, &minutes)) {
        RefuseMinutes(mainWindow);
        return;
    }
    // Read again as it rings; refused now, while the user is there to hear it.
    char soundPath[kSoundPathSize];
    if (!TakeSoundPath(mainWindow, IDC_MAIN_SOUND_PATH, soundPath))
        return;
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
    wchar_t soundPath[kSoundPathSize];
    GetDlgItemGbkText(mainWindow, IDC_MAIN_TITLE, title, sizeof title);
    GetDlgItemGbkText(mainWindow, IDC_MAIN_MESSAGE, message, sizeof message);
    ReadTypedSoundPath(mainWindow, IDC_MAIN_SOUND_PATH, soundPath);
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

// Shows the whole seconds still to run, as a clock counting down does.
void CALLBACK IntervalTimerProc(HWND mainWindow, UINT, UINT_PTR, DWORD)
{
    long long msLeft = intervalDeadline - ReadMonotonicTime();
    long long secondsLeft = msLeft > 0 ? (msLeft + 999) / 1000 : 0;
    char text[kMinutesTextSize];
    FormatText(text, sizeof text, "%d分%d秒", static_cast<int>(secondsLeft / 60),
               static_cast<int>(secondsLeft % 60));
    SetDlgItemGbkText(mainWindow, IDC_MAIN_INTERVAL_COUNTDOWN, text);
    if (msLeft > 0)
        ArmTimer(mainWindow, msLeft);
    else
        RingInterval(mainWindow);
}
