#include <gtest/gtest.h>

#include "app/main_dialog.h"
#include "schedule/task_table.h"
#include "support/driver.h"
#include "support/fake_clock.h"
#include "ui/countdown.h"
#include "ui/interval.h"
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

// A fresh main dialog, the table empty, the clock at 09:58:20.
void Fresh()
{
    static HHOOK hook = SetWindowsHookExA(WH_CBT, WatchActivations, NULL, GetCurrentThreadId());
    ASSERT_TRUE(hook);
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

// In an open box or dialog: select a task, set the minutes, command, name it, answer.
struct {
    int selected;
    const char *minutes;
    int command, button;
    const char *name;
} inBox;

void ActInBoxThenAnswer(HWND box)
{
    SendDlgItemMessageA(dialog, 1007, LB_SETCURSEL, inBox.selected, 0);
    SetText(dialog, 1036, inBox.minutes);
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
    inBox = {1, "", 1019, 1000, "甲"};
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

// Tasks due while a box was open ring at the next tick, late, in order.
TEST(Ui, CountdownRingsDueAndMissedTasksInOrder)
{
    Fresh();
    Command(1018);
    for (int minute : {0, 1, 2, 30})
        Add("T" + std::to_string(minute), At(100000 + minute * 100));
    fakeNow = At(100010);
    Command(1018);
    fakeNow = At(95820);
    Command(1018);
    answer = [](HWND box) {
        fakeNow = At(100205);
        Post(box, IDOK);
    };
    fakeNow = At(100000);
    Tick(ScheduleTimerProc);
    Tick(ScheduleTimerProc);
    EXPECT_EQ("0天0时27分55秒", Text(dialog, 1029));
    fakeNow = At(103000);
    Tick(ScheduleTimerProc);
    EXPECT_EQ((Texts{kNoStart, kNoStart, "T0|T0!", "T1|T1!", "T2|T2!", "T30|T30!"}), shown);
    EXPECT_EQ(0u, ListItems(dialog, 1007).size());
    EXPECT_FALSE(Armed(ScheduleTimerProc));
    EXPECT_EQ(kZeros, Text(dialog, 1029));
}

// A stop given under an alarm box stands; the rung task is found by its minute.
TEST(Ui, ACountdownStoppedWhileItsBoxIsOpenStaysStopped)
{
    const std::tuple<int, int, Texts> stops[] = {
        {-1, 1020, {"B  —  2026-12-6 | 10:05"}},
        {0, 1009, {"B  —  2026-12-6 | 10:05"}},
    };
    for (auto [selected, command, left] : stops) {
        Fresh();
        Add("A", At(100000));
        Add("B", At(100500));
        Command(1018);
        inBox = {selected, "", command, IDOK, ""};
        answer = ActInBoxThenAnswer;
        fakeNow = At(100000);
        Tick(ScheduleTimerProc);
        EXPECT_FALSE(Armed(ScheduleTimerProc)) << command;
        EXPECT_EQ(kZeros, Text(dialog, 1029)) << command;
        EXPECT_EQ(left, ListItems(dialog, 1007)) << command;
    }
}

const char kRefusal[] = "开始失败|请输入1到35791394之间的分钟数";

// Minutes outside 1 to 35791394 are refused. Yes counts again, never undoing a
// stop given while its box was open, and stops, saying why, if N is no longer valid.
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
    shown.clear();
    Tick(IntervalTimerProc, 60);
    EXPECT_EQ(Texts{"t|" + message + "\n\n[确定]继续计时，[取消]退出计时"}, shown);
    EXPECT_EQ("0分0秒", Text(dialog, 1035));
    Tick(IntervalTimerProc);
    EXPECT_EQ("0分59秒", Text(dialog, 1035)) << "yes counts again";
    Command(1031);
    EXPECT_FALSE(Armed(IntervalTimerProc)) << "stop";
    EXPECT_EQ("0分0秒", Text(dialog, 1035)) << "stop";
    const std::tuple<const char *, int, int> answers[] = {
        {"1", 0, IDNO}, {"1", 1031, IDYES}, {"", 0, IDYES}};
    for (auto [minutes, command, button] : answers) {
        SetText(dialog, 1036, "1");
        Command(1030);
        inBox = {-1, minutes, command, button, ""};
        answer = ActInBoxThenAnswer;
        Tick(IntervalTimerProc, 60);
        EXPECT_FALSE(Armed(IntervalTimerProc)) << "answer " << button << " after command " << command;
        EXPECT_EQ(0, intervalRunning) << "answer " << button << " after command " << command;
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 1036))) << "answer " << button;
    }
    EXPECT_EQ(kRefusal, shown.back()) << "yes with the minutes emptied";
}

}  // namespace
