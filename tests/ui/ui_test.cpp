#include <gtest/gtest.h>

#include "app/main_dialog.h"
#include "schedule/task_table.h"
#include "support/driver.h"
#include "support/fake_clock.h"
#include "ui/countdown.h"
#include "ui/interval.h"
#include "ui/messages.h"
#include "ui/panels.h"

namespace {

using Texts = std::vector<std::string>;

Texts ListItems(HWND window, int id)
{
    Texts items;
    for (int i = 0; i < SendDlgItemMessageA(window, id, LB_GETCOUNT, 0, 0); ++i) {
        char text[2048] = "";
        SendDlgItemMessageA(window, id, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

HWND dialog;  // the main dialog of the test at hand, modeless

// Modal windows are answered in their own loop: the first by `answer` if set,
// the rest as a user who agrees; all but the add-task dialog noted in `shown`.
void (*answer)(HWND window);
Texts shown;
std::string nextName;
SYSTEMTIME nextDue;

void AnswerAsAUser(HWND window)
{
    int button = GetDlgItem(window, IDYES) ? IDYES : IDOK;
    if (Text(window) == "时间设置") {
        FillAddDialog(window, nextName, fakeNow, nextDue);
        button = 1000;
    } else if (!GetDlgItem(window, button)) {
        button = 1013;
    }
    Post(window, button);
}

// Wine activates a dialog while it is still hidden; its loop shows it later.
void CALLBACK AnswerOnceShown(HWND window, UINT, UINT_PTR timer, DWORD)
{
    if (!IsWindowVisible(window))
        return;
    KillTimer(window, timer);
    if (Text(window) != "时间设置")
        shown.push_back(Text(window) + "|" + Text(window, 0xFFFF));
    void (*answerNow)(HWND) = answer ? answer : AnswerAsAUser;
    answer = nullptr;
    answerNow(window);
}

LRESULT CALLBACK WatchActivations(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = reinterpret_cast<HWND>(wParam);
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    bool dialogBox = code == HCBT_ACTIVATE && lstrcmpA(name, "#32770") == 0;
    if (dialogBox && Text(window) != "ZelbrinV1.0" && !GetPropA(window, "caught")) {
        SetPropA(window, "caught", window);
        SetTimer(window, 0x7E57, 1, AnswerOnceShown);
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

// The clock on 2026-12-6 as hhmmss.
SYSTEMTIME At(int hhmmss)
{
    return Time(2026, 12, 6, hhmmss / 10000, hhmmss / 100 % 100, hhmmss % 100);
}

// An alarm box with this caption, shown by a thread of its own.
HWND AlarmBox(const std::string &caption, DWORD waitMs = 5000)
{
    return WaitWindow(caption, waitMs, "#32770", dialog);
}

// Presses a button that the box shows (Wine's box ends on any posted answer),
// then handles the answer its thread posts back, as the main loop would.
bool Answer(HWND box, int button)
{
    if (!GetDlgItem(box, button))
        return false;
    Post(box, button);
    for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; Sleep(1)) {
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
            if (message.message == WM_ALARMANSWER)
                return true;
        }
    }
    return false;
}

// A fresh main dialog, the table empty, the clock at 09:58:20.
void Fresh()
{
    static HHOOK hook = SetWindowsHookExA(WH_CBT, WatchActivations, NULL, GetCurrentThreadId());
    ASSERT_TRUE(hook);
    program.dwProcessId = GetCurrentProcessId();
    while (HWND box = AlarmBox("*", 0))
        Answer(box, GetDlgItem(box, IDOK) ? IDOK : IDNO);
    DestroyWindow(dialog);
    answer = nullptr;
    shown.clear();
    ClearTasks();
    intervalRunning = 0;
    fakeNow = At(95820);
    dialog = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(101), NULL, MainDialogProc, 0);
    ShowWindow(dialog, SW_SHOWNORMAL);
}

void Command(int id)
{
    SendMessageA(dialog, WM_COMMAND, id, reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Add(const std::string &name, const SYSTEMTIME &due)
{
    nextName = name;
    nextDue = due;
    Command(1008);
}

// Whether the timer exists; re-armed with the longest period, so that only
// the test's own ticks reach it.
bool Armed(TIMERPROC procedure)
{
    UINT_PTR timer = procedure == ScheduleTimerProc ? 0 : 1;
    return KillTimer(dialog, timer) && SetTimer(dialog, timer, USER_TIMER_MAXIMUM, procedure);
}

// Only a running timer ticks.
void Tick(TIMERPROC procedure, int count = 1)
{
    for (int i = 0; i < count; ++i) {
        ASSERT_TRUE(Armed(procedure)) << "tick " << i << " of a timer that does not run";
        procedure(dialog, WM_TIMER, procedure == ScheduleTimerProc ? 0 : 1, 0);
    }
}

// OK and Cancel do nothing; only a left press on our icon shows the window.
TEST(Ui, MainWindowTrayAndUsage)
{
    Fresh();
    Command(IDOK);
    Command(IDCANCEL);
    EXPECT_TRUE(IsWindowVisible(dialog));
    ShowWindow(dialog, SW_HIDE);
    for (auto [icon, mouse] : {std::pair{0, WM_LBUTTONUP}, {0, WM_RBUTTONUP}, {1, WM_LBUTTONDOWN}}) {
        SendMessageA(dialog, WM_USER + 5, icon, mouse);
        EXPECT_FALSE(IsWindowVisible(dialog)) << "icon " << icon << ", mouse message " << mouse;
    }
    Command(40001);
    Command(8888);
    EXPECT_FALSE(IsWindowVisible(dialog)) << "the usage box showed the hidden window";
    answer = [](HWND chooser) { Post(chooser, IDCANCEL); };
    Command(1034);
    EXPECT_EQ("设置提示音文件路径,点击右边选择文件", Text(dialog, 1033)) << "the chooser cancelled";
    ShowWindow(dialog, SW_MINIMIZE);
    SendMessageA(dialog, WM_USER + 5, 0, WM_LBUTTONDOWN);
    EXPECT_FALSE(IsIconic(dialog));
    ASSERT_EQ(3u, shown.size()) << "the usage boxes and the file chooser";
    EXPECT_EQ(0u, shown[0].find("使用说明|ZelbrinV1.0 （把握时间，不让它与你擦肩而过~）\n\n---"));
}

// In an open dialog: select a task, give a command, name it, answer.
struct {
    int selected;
    int command, button;
    const char *name;
} inBox;

void ActInBoxThenAnswer(HWND box)
{
    SendDlgItemMessageA(dialog, 1007, LB_SETCURSEL, inBox.selected, 0);
    Command(inBox.command);
    SetText(box, 1018, inBox.name);
    Post(box, inBox.button);
}

// Refusals say why, texts are cut to their buffers, and a details dialog
// stores into its own task while a second one is open.
TEST(Ui, AddingRefusesWithTheReasonAndDetailsEditTheirOwnTask)
{
    Fresh();
    const std::pair<SYSTEMTIME, const char *> refused[] = {
        {At(91000), "插入失败|该任务是个无效任务"},
        {Time(2027, 1, 0, 8, 0), "插入失败|任务日期不完整，请选择月和日"},
        {Time(2027, 1, 1, 0, 0), "插入失败|已经存在一个相同时间的任务了"},
        {Time(2028, 1, 1, 0, 0), "插入失败|任务列表已满，最多可添加100个任务"},
    };
    Add(std::string(1000, 'x'), Time(2027, 1, 1, 0, 0));
    Add("the last year listed", Time(2076, 12, 31, 23, 59));
    for (int i = 1; i < 99; ++i)
        Add("t", Time(2027, 1, 1 + i / 60, 0, i % 60));
    for (auto [due, refusal] : refused) {
        shown.clear();
        Add("refused", due);
        EXPECT_EQ(Texts{refusal}, shown);
    }
    EXPECT_EQ(std::string(255, 'x') + "  —  2027-1-1 | 00:00", ListItems(dialog, 1007)[0]);
    SendDlgItemMessageA(dialog, 1007, LB_SETCURSEL, 0, 0);
    inBox = {1, 1019, 1000, "甲"};
    answer = ActInBoxThenAnswer;
    Command(1019);
    EXPECT_EQ("甲  —  2027-1-1 | 00:00", ListItems(dialog, 1007)[0])
        << "stored into the other dialog's task";
}

const char kZeros[] = "0天0时0分0秒";

// Stop, deleting the first task and clearing stop the countdown, other commands
// leave it on; emptied, it shows zeros and counts to the next task at once.
TEST(Ui, TaskCommandsStopTheCountdownOnlyWhenTheyShould)
{
    Fresh();
    for (int due : {100000, 103000, 105900})
        Add("t", At(due));
    // what, the clock, a command (0: a tick), the item selected, then the
    // countdown text, the number of items and whether the countdown runs
    const std::tuple<const char *, int, int, int, const char *, size_t, bool> steps[] = {
        {"execute only starts the timer", 95820, 1018, -1, kZeros, 3, true},
        {"the first tick", 95820, 0, -1, "0天0时1分40秒", 3, true},
        {"delete without a selection", 95820, 1009, -1, "0天0时1分40秒", 3, true},
        {"delete the second task", 95820, 1009, 1, "0天0时1分40秒", 2, true},
        {"stop", 95820, 1020, -1, kZeros, 2, false},
        {"execute", 95820, 1018, -1, kZeros, 2, true},
        {"delete the first task", 95820, 1009, 0, kZeros, 1, false},
        {"execute", 95820, 1018, -1, kZeros, 1, true},
        {"a tick", 95820, 0, -1, "0天1时0分40秒", 1, true},
        {"clear", 95820, 1010, -1, kZeros, 0, false},
        {"add after clear", 95820, 1008, -1, kZeros, 1, false},
        {"execute", 95820, 1018, -1, kZeros, 1, true},
        {"a tick", 95820, 0, -1, "0天0时1分40秒", 1, true},
        {"purge the task due this minute", 100000, 1017, -1, "0天0时1分40秒", 0, true},
        {"a tick on an empty list", 100000, 0, -1, kZeros, 0, true},
        {"add while counting", 100000, 1008, -1, kZeros, 1, true},
        {"a tick", 100000, 0, -1, "0天0时30分0秒", 1, true},
    };
    for (auto [what, now, command, selected, countdown, items, running] : steps) {
        fakeNow = At(now);
        SendDlgItemMessageA(dialog, 1007, LB_SETCURSEL, selected, 0);
        nextDue = At(now < 100000 ? 100000 : 103000);
        if (command == 0)
            Tick(ScheduleTimerProc);
        else
            Command(command);
        EXPECT_EQ(countdown, Text(dialog, 1029)) << what;
        EXPECT_EQ(items, ListItems(dialog, 1007).size()) << what;
        EXPECT_EQ(running, Armed(ScheduleTimerProc)) << what;
    }
    Command(1019);
    EXPECT_EQ(Texts{}, shown) << "details without a selection";
}

const char kNoStart[] = "执行失败|首任务是无效任务，无法执行，请养成及时删除无效任务的好习惯~";

// Tasks due while a box was open ring one after another, late and in order,
// each as soon as the box before it is answered; no tick comes meanwhile.
TEST(Ui, MissedTasksRingInOrderEachAsThePreviousIsAnswered)
{
    Fresh();
    Command(1018);
    for (int minute : {0, 1, 2, 30})
        Add("T" + std::to_string(minute), At(100000 + minute * 100));
    fakeNow = At(100010);
    Command(1018);
    fakeNow = At(95820);
    Command(1018);
    EXPECT_EQ((Texts{kNoStart, kNoStart}), shown);
    fakeNow = At(100000);
    Tick(ScheduleTimerProc);
    fakeNow = At(100205);
    for (std::string task : {"T0", "T1", "T2"}) {
        HWND box = AlarmBox(task);
        EXPECT_EQ(task + "!", Text(box, 0xFFFF));
        EXPECT_FALSE(Armed(ScheduleTimerProc)) << "a tick under the box of " << task;
        ASSERT_TRUE(Answer(box, IDOK)) << task;
    }
    EXPECT_EQ("0天0时27分55秒", Text(dialog, 1029));
    fakeNow = At(103000);
    Tick(ScheduleTimerProc);
    ASSERT_TRUE(Answer(AlarmBox("T30"), IDOK));
    EXPECT_EQ(0u, ListItems(dialog, 1007).size());
    EXPECT_FALSE(Armed(ScheduleTimerProc));
    EXPECT_EQ(kZeros, Text(dialog, 1029));
}

// Stop, "-" on the first task and clear, given under the box of a late task,
// stand when it is answered, and end the chain of late rings.
TEST(Ui, AStopGivenWhileATaskBoxIsOpenStands)
{
    const std::tuple<int, int, Texts> stops[] = {
        {-1, 1020, {"B  —  2026-12-6 | 10:05"}},
        {0, 1009, {"B  —  2026-12-6 | 10:05"}},
        {-1, 1010, {}},
    };
    for (auto [selected, command, left] : stops) {
        Fresh();
        Add("A", At(100000));
        Add("B", At(100500));
        Command(1018);
        fakeNow = At(100600);
        Tick(ScheduleTimerProc);
        HWND box = AlarmBox("A");
        SendDlgItemMessageA(dialog, 1007, LB_SETCURSEL, selected, 0);
        Command(command);
        ASSERT_TRUE(Answer(box, IDOK)) << command;
        EXPECT_FALSE(AlarmBox("B", 300)) << command;
        EXPECT_FALSE(Armed(ScheduleTimerProc)) << command;
        EXPECT_EQ(kZeros, Text(dialog, 1029)) << command;
        EXPECT_EQ(left, ListItems(dialog, 1007)) << command;
    }
}

// A task and the interval ring over each other, in either order: answering
// either box ends that alarm alone, and the other mode never waits.
TEST(Ui, TwoAlarmsEachAnswerForThemselves)
{
    for (bool taskFirst : {true, false}) {
        Fresh();
        Add("task", At(100000));
        Add("next", At(100500));
        Command(1018);
        SetText(dialog, 1016, "interval");
        SetText(dialog, 1036, "1");
        Command(1030);
        fakeNow = At(100000);
        if (taskFirst)
            Tick(ScheduleTimerProc);
        Tick(IntervalTimerProc, 60);
        if (!taskFirst)
            Tick(ScheduleTimerProc);
        HWND task = AlarmBox("task");
        HWND interval = AlarmBox("interval");
        if (taskFirst) {
            ASSERT_TRUE(Answer(task, IDOK));
            EXPECT_EQ(Texts{"next  —  2026-12-6 | 10:05"}, ListItems(dialog, 1007));
            EXPECT_TRUE(Armed(ScheduleTimerProc)) << "the countdown waits for the interval";
            EXPECT_FALSE(Armed(IntervalTimerProc)) << "the interval's box answered too";
            ASSERT_TRUE(Answer(interval, IDYES));
            EXPECT_TRUE(Armed(IntervalTimerProc));
        } else {
            ASSERT_TRUE(Answer(interval, IDNO));
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 1036))) << "no waits for the task";
            EXPECT_EQ(2u, ListItems(dialog, 1007).size()) << "the task's box answered too";
            ASSERT_TRUE(Answer(task, IDOK));
            EXPECT_TRUE(Armed(ScheduleTimerProc));
        }
    }
}

const char kRefusal[] = "开始失败|请输入1到35791394之间的分钟数";

// Minutes outside 1 to 35791394 are refused. The box asks yes or no; yes
// counts N minutes again, no ends the count.
TEST(Ui, IntervalRingsEveryNMinutesUntilTheUserStopsIt)
{
    Fresh();
    for (const char *minutes : {"", "0", "-5", "1x", "35791395", "99999999999"}) {
        SetText(dialog, 1036, minutes);
        Command(1030);
        EXPECT_FALSE(Armed(IntervalTimerProc)) << minutes;
    }
    EXPECT_EQ(Texts(6, kRefusal), shown);
    SetText(dialog, 1036, "35791394");
    Command(1030);
    Command(1004);
    Command(1005);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 1036))) << "the minutes unlocked while counting";
    const std::string message(kMessageSize - 1, 'm');
    SetText(dialog, 1016, "t");
    SetText(dialog, 1015, message);
    SetText(dialog, 1036, "1");
    Command(1030);
    Tick(IntervalTimerProc, 59);
    EXPECT_FALSE(AlarmBox("t", 0)) << "rang before the 60th second";
    Tick(IntervalTimerProc);
    HWND box = AlarmBox("t");
    EXPECT_EQ(message + "\n\n[确定]继续计时，[取消]退出计时", Text(box, 0xFFFF));
    EXPECT_EQ("0分0秒", Text(dialog, 1035));
    ASSERT_TRUE(Answer(box, IDYES));
    Tick(IntervalTimerProc);
    EXPECT_EQ("0分59秒", Text(dialog, 1035)) << "yes counts again";
    Command(1031);
    EXPECT_FALSE(Armed(IntervalTimerProc)) << "stop";
    EXPECT_EQ("0分0秒", Text(dialog, 1035)) << "stop";
}

// Under an open interval box: a command, then ticks, the minutes field set,
// an answer; whether the timer ran under the box and whether it counts after.
TEST(Ui, AnIntervalBoxAnswersOnlyForTheCountThatRang)
{
    const std::tuple<const char *, int, int, const char *, int, bool, bool> rows[] = {
        {"yes counts again", 0, 0, "1", IDYES, false, true},
        {"no ends the count", 0, 0, "1", IDNO, false, false},
        {"stop, then yes", 1031, 0, "1", IDYES, false, false},
        {"a new count, then no", 1030, 0, "1", IDNO, true, true},
        {"a new count runs out, then no", 1030, 60, "1", IDNO, false, false},
        {"minutes emptied, then yes", 0, 0, "", IDYES, false, false},
    };
    Fresh();
    SetText(dialog, 1016, "t");
    for (auto [what, command, ticks, minutes, button, underBox, counting] : rows) {
        SetText(dialog, 1036, "1");
        Command(1030);
        Tick(IntervalTimerProc, 60);
        HWND box = AlarmBox("t");
        if (command != 0)
            Command(command);
        Tick(IntervalTimerProc, ticks);
        SetText(dialog, 1036, minutes);
        EXPECT_EQ(underBox, Armed(IntervalTimerProc)) << what;
        ASSERT_TRUE(Answer(box, button)) << what;
        EXPECT_EQ(counting, Armed(IntervalTimerProc)) << what;
        EXPECT_EQ(counting, intervalRunning == 1) << what;
        EXPECT_NE(counting, IsWindowEnabled(GetDlgItem(dialog, 1036))) << what;
        Command(1031);
    }
    EXPECT_EQ(Texts{kRefusal}, shown) << "yes with the minutes emptied says why";
}

}  // namespace
