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

HWND dialog;  // the main dialog of the test at hand, modeless

// Modal windows are caught from a WH_CBT hook and answered inside their own
// loop once shown: the first by `answer` when a test sets it, the others as
// a user who agrees (the add-task dialog filled from nextName and nextDue,
// a box answered Yes or OK, any other dialog cancelled). Boxes are noted as
// "caption|text".
void (*answer)(HWND window);
Texts boxes;
int windowsShown;
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
    ++windowsShown;
    if (GetDlgItem(window, IDOK) || GetDlgItem(window, IDYES))
        boxes.push_back(Text(window) + "|" + Text(window, 0xFFFF));
    void (*answerNow)(HWND) = answer;
    answer = nullptr;
    if (answerNow)
        answerNow(window);
    else
        AnswerAsAUser(window);
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

// A fresh main dialog, the table empty, the clock at 2026-12-6 09:58:20.
class Ui : public testing::Test {
protected:
    void SetUp() override
    {
        static HHOOK hook = SetWindowsHookExA(WH_CBT, WatchActivations, NULL, GetCurrentThreadId());
        ASSERT_TRUE(hook);
        answer = nullptr;
        boxes.clear();
        ClearTasks();
        intervalRunning = 0;
        SetFakeLocalTime(MakeTime(2026, 12, 6, 9, 58, 20));
        dialog =
            CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(101), NULL, MainDialogProc, 0);
        ShowWindow(dialog, SW_SHOWNORMAL);
    }
    void TearDown() override
    {
        DestroyWindow(dialog);
    }
};

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

void SelectTask(int item)
{
    SendDlgItemMessageA(dialog, 1007, LB_SETCURSEL, item, 0);
}

const UINT_PTR kCountdown = 0;
const UINT_PTR kInterval = 1;

TIMERPROC Procedure(UINT_PTR timer)
{
    return timer == kCountdown ? ScheduleTimerProc : IntervalTimerProc;
}

// Whether the timer exists. It is re-armed with the longest period, so that
// only the test's own ticks, with the test's clock, reach it.
bool Armed(UINT_PTR timer)
{
    if (!KillTimer(dialog, timer))
        return false;
    SetTimer(dialog, timer, USER_TIMER_MAXIMUM, Procedure(timer));
    return true;
}

// Only a running timer ticks.
void Tick(UINT_PTR timer, int count = 1)
{
    for (int i = 0; i < count; ++i) {
        ASSERT_TRUE(Armed(timer)) << "tick " << i << " of timer " << timer << ", which does not run";
        Procedure(timer)(dialog, WM_TIMER, timer, 0);
    }
}

// Radios, then each panel's inputs and other controls: 'E' shown and enabled,
// 's' shown but disabled, 'h' hidden but enabled, '-' hidden and disabled.
std::string Panels()
{
    const int ids[] = {1004, 1005, 0,    1007, 1008, 1009, 1010, 1017, 1018, 1019, 1020,
                       0,    1037, 1038, 1029, 0,    1036, 1016, 1015, 1033, 1034, 1030,
                       1031, 0,    1040, 1039, 1042, 1044, 1041, 1045, 1046, 1035};
    const char states[] = "-hsE";
    std::string panels;
    for (int id : ids) {
        HWND control = GetDlgItem(dialog, id);
        bool shown = (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
        panels += id ? states[2 * shown + (IsWindowEnabled(control) != FALSE)] : ' ';
    }
    return panels;
}

TEST_F(Ui, PanelsSwitchAndTheMinutesStayLockedWhileCounting)
{
    const char *scheduled = "EE EEEEEEEE EEE ------- hhhhhhhh";
    const char *interval = "EE -------- hhh EEEEEEE EEEEEEEE";
    const char *counting = "EE -------- hhh sEEEEEE EEEEEEEE";
    const std::pair<int, const char *> steps[] = {{0, scheduled},    {1005, interval}, {1030, counting},
                                                  {1004, scheduled}, {1005, counting}, {1031, interval}};
    EXPECT_EQ(BST_CHECKED, SendDlgItemMessageA(dialog, 1004, BM_GETCHECK, 0, 0));
    EXPECT_EQ("设置提示音文件路径,点击右边选择文件", Text(dialog, 1033));
    SetText(dialog, 1036, "5");
    for (auto [command, panels] : steps) {
        Command(command);
        EXPECT_EQ(panels, Panels()) << "after command " << command;
    }
}

// OK and Cancel do nothing; only a left press on our own icon shows the
// window, restored; both usage commands show one box over a hidden window.
TEST_F(Ui, TheWindowShowsOnlyFromALeftPressOnOurIcon)
{
    Command(IDOK);
    Command(IDCANCEL);
    EXPECT_TRUE(IsWindowVisible(dialog));
    ShowWindow(dialog, SW_HIDE);
    const std::pair<WPARAM, LPARAM> ignored[] = {
        {0, WM_LBUTTONUP}, {0, WM_RBUTTONUP}, {0, WM_LBUTTONDBLCLK}, {1, WM_LBUTTONDOWN}};
    for (auto [icon, mouse] : ignored) {
        SendMessageA(dialog, WM_USER + 5, icon, mouse);
        EXPECT_FALSE(IsWindowVisible(dialog)) << "icon " << icon << ", mouse message " << mouse;
    }
    Command(40001);
    Command(8888);
    EXPECT_FALSE(IsWindowVisible(dialog)) << "the usage box showed the hidden window";
    ShowWindow(dialog, SW_MINIMIZE);
    SendMessageA(dialog, WM_USER + 5, 0, WM_LBUTTONDOWN);
    EXPECT_FALSE(IsIconic(dialog));
    const std::string usage =
        "使用说明|ZelbrinV1.0 （把握时间，不让它与你擦肩而过~）\n\n" + std::string(47, '-');
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ(usage, boxes[0].substr(0, usage.size()));
    EXPECT_EQ(boxes[0], boxes[1]);
}

// Each list of the add-task dialog as "first..last count", " off" when
// disabled.
std::string Lists(HWND addDialog)
{
    std::string lists;
    for (int id : {1022, 1023, 1024, 1016, 1017}) {
        int count = static_cast<int>(SendDlgItemMessageA(addDialog, id, CB_GETCOUNT, 0, 0));
        char first[16] = "";
        char last[16] = "";
        SendDlgItemMessageA(addDialog, id, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
        SendDlgItemMessageA(addDialog, id, CB_GETLBTEXT, count - 1, reinterpret_cast<LPARAM>(last));
        lists += std::string(first) + ".." + last + " " + std::to_string(count);
        lists += IsWindowEnabled(GetDlgItem(addDialog, id)) ? "|" : " off|";
    }
    return lists;
}

// The date lists open up in order; February follows the plain leap rule.
TEST_F(Ui, AddDialogListsOpenUpInOrderAndCancelAddsNothing)
{
    SetFakeLocalTime(MakeTime(2096, 3, 1, 8, 0));
    answer = [](HWND addDialog) {
        EXPECT_EQ("2096..2146 51|01..12 12 off|.. 0 off|00..23 24|00..59 60|", Lists(addDialog));
        EXPECT_EQ("设置提示音文件路径,点击右边选择文件", Text(addDialog, 1026));
        Select(addDialog, 1022, 4);  // 2100
        EXPECT_EQ("2096..2146 51|01..12 12|01..30 30 off|00..23 24|00..59 60|", Lists(addDialog));
        Select(addDialog, 1023, 1);
        EXPECT_EQ("01..29 29|", Lists(addDialog).substr(24, 10));
        Select(addDialog, 1022, 1);
        EXPECT_EQ("01..28 28|", Lists(addDialog).substr(24, 10));
        Post(addDialog, 1013);
    };
    Command(1008);
    EXPECT_EQ(Texts{}, ListItems(dialog, 1007));
}

const char kNoStart[] = "执行失败|首任务是无效任务，无法执行，请养成及时删除无效任务的好习惯~";
const char kZeros[] = "0天0时0分0秒";

TEST_F(Ui, AddingSortsTheListAndRefusesWithTheReason)
{
    const std::tuple<const char *, SYSTEMTIME, const char *> adds[] = {
        {"a", MakeTime(2026, 12, 6, 12, 0), nullptr},
        {"past", MakeTime(2026, 12, 6, 9, 5), "插入失败|该任务是个无效任务"},
        {"c", MakeTime(2026, 12, 7, 9, 5), nullptr},
        {"d", MakeTime(2026, 12, 6, 10, 30), nullptr},
        {"same minute", MakeTime(2026, 12, 6, 12, 0), "插入失败|已经存在一个相同时间的任务了"},
        {"no day", MakeTime(2027, 1, 0, 8, 0), "插入失败|任务日期不完整，请选择月和日"},
    };
    for (auto [name, due, refusal] : adds) {
        boxes.clear();
        Add(name, due);
        EXPECT_EQ(refusal ? Texts{refusal} : Texts{}, boxes) << name;
    }
    Texts sorted = {"d  —  2026-12-6 | 10:30", "a  —  2026-12-6 | 12:00", "c  —  2026-12-7 | 09:05"};
    EXPECT_EQ(sorted, ListItems(dialog, 1007));
}

// Stop, deleting the first task and clearing stop the countdown; deleting
// another task and purging leave it on, emptied it shows zeros and counts
// down to the next task added at once.
TEST_F(Ui, TaskCommandsStopTheCountdownOnlyWhenTheyShould)
{
    Command(1018);
    EXPECT_EQ(Texts{kNoStart}, boxes) << "执行 with no task";
    for (int minute : {0, 30, 59})
        Add("t" + std::to_string(minute), MakeTime(2026, 12, 6, 10, minute));
    Command(1018);
    EXPECT_EQ(kZeros, Text(dialog, 1029)) << "执行 only starts the timer";
    int shown = windowsShown;
    Command(1009);
    Command(1019);
    EXPECT_EQ(shown, windowsShown) << "任务详情 without a selection";
    SelectTask(1);
    Command(1009);
    EXPECT_EQ((Texts{"t0  —  2026-12-6 | 10:00", "t59  —  2026-12-6 | 10:59"}), ListItems(dialog, 1007));
    Tick(kCountdown);
    EXPECT_EQ("0天0时1分40秒", Text(dialog, 1029));
    for (int stop : {1020, 1009, 1010}) {
        Command(1018);
        Tick(kCountdown);
        SelectTask(0);
        Command(stop);
        EXPECT_FALSE(Armed(kCountdown)) << stop;
        EXPECT_EQ(kZeros, Text(dialog, 1029)) << stop;
    }
    EXPECT_EQ(Texts{}, ListItems(dialog, 1007));
    Add("a", MakeTime(2026, 12, 6, 10, 0));
    Add("b", MakeTime(2026, 12, 6, 10, 30));
    EXPECT_EQ(2u, ListItems(dialog, 1007).size());
    Command(1018);
    SetFakeLocalTime(MakeTime(2026, 12, 6, 10, 0, 30));
    Command(1017);
    Tick(kCountdown);
    EXPECT_EQ("0天0时29分30秒", Text(dialog, 1029)) << "清空 or 删除无效 left a task";
    SetFakeLocalTime(MakeTime(2026, 12, 6, 10, 31));
    Command(1017);
    Tick(kCountdown);
    EXPECT_EQ(kZeros, Text(dialog, 1029));
    Add("c", MakeTime(2026, 12, 6, 10, 33));
    Tick(kCountdown);
    EXPECT_EQ("0天0时2分0秒", Text(dialog, 1029));
}

// A box kept open past the next tasks' minutes: they ring at the next tick,
// late and in order, and the countdown never goes negative.
TEST_F(Ui, CountdownRingsDueAndMissedTasksInOrder)
{
    for (int minute : {0, 1, 2, 30})
        Add("T" + std::to_string(minute), MakeTime(2026, 12, 6, 10, minute));
    SetFakeLocalTime(MakeTime(2026, 12, 6, 10, 0, 10));
    Command(1018);
    EXPECT_FALSE(Armed(kCountdown)) << "执行 with the first task due this minute";
    SetFakeLocalTime(MakeTime(2026, 12, 6, 9, 58, 20));
    Command(1018);
    Tick(kCountdown);
    answer = [](HWND box) {
        SetFakeLocalTime(MakeTime(2026, 12, 6, 10, 2, 5));
        Post(box, IDOK);
    };
    SetFakeLocalTime(MakeTime(2026, 12, 6, 10, 0, 0));
    Tick(kCountdown);
    EXPECT_EQ("0天0时1分0秒", Text(dialog, 1029)) << "worked out from the time read before the box";
    Tick(kCountdown);
    EXPECT_EQ("0天0时27分55秒", Text(dialog, 1029));
    SetFakeLocalTime(MakeTime(2026, 12, 6, 10, 30, 0));
    Tick(kCountdown);
    EXPECT_EQ((Texts{kNoStart, "T0|T0!", "T1|T1!", "T2|T2!", "T30|T30!"}), boxes);
    EXPECT_EQ(Texts{}, ListItems(dialog, 1007));
    EXPECT_FALSE(Armed(kCountdown));
    EXPECT_EQ(kZeros, Text(dialog, 1029));
}

// The user's last command wins over an alarm whose box was open meanwhile,
// and the rung task is found again by its minute.
int stopSelected;
int stopCommand;

TEST_F(Ui, ACountdownStoppedWhileItsBoxIsOpenStaysStopped)
{
    const std::tuple<int, int, Texts> stops[] = {
        {-1, 1020, {"B  —  2026-12-6 | 10:05"}},
        {0, 1009, {"B  —  2026-12-6 | 10:05"}},
        {-1, 1010, {}},
    };
    for (auto [selected, command, left] : stops) {
        SetFakeLocalTime(MakeTime(2026, 12, 6, 9, 59, 0));
        Add("A", MakeTime(2026, 12, 6, 10, 0));
        Add("B", MakeTime(2026, 12, 6, 10, 5));
        Command(1018);
        stopSelected = selected;
        stopCommand = command;
        answer = [](HWND box) {
            SelectTask(stopSelected);
            Command(stopCommand);
            Post(box, IDOK);
        };
        SetFakeLocalTime(MakeTime(2026, 12, 6, 10, 0, 0));
        Tick(kCountdown);
        EXPECT_FALSE(Armed(kCountdown)) << command;
        EXPECT_EQ(kZeros, Text(dialog, 1029)) << command;
        EXPECT_EQ(left, ListItems(dialog, 1007)) << command;
        Command(1010);
    }
}

const char kRefusal[] = "开始失败|请输入1到35791394之间的分钟数";

TEST_F(Ui, IntervalRefusesMinutesOutsideOneTo35791394)
{
    for (const char *minutes : {"", "0", "-5", "1x", "35791395", "99999999999"}) {
        boxes.clear();
        SetText(dialog, 1036, minutes);
        Command(1030);
        EXPECT_FALSE(Armed(kInterval)) << minutes;
        EXPECT_EQ(Texts{kRefusal}, boxes) << minutes;
    }
    SetText(dialog, 1036, "35791394");
    Command(1030);
    Tick(kInterval);
    EXPECT_EQ("35791393分59秒", Text(dialog, 1035));
}

// Yes counts again; an answer never undoes a stop given while its box was
// open, and Yes with the minutes no longer valid stops and says why.
TEST_F(Ui, IntervalRingsEveryNMinutesUntilTheUserStopsIt)
{
    const std::string message(kMessageSize - 1, 'm');
    const std::string ring = "t|" + message + "\n\n[确定]继续计时，[取消]退出计时";
    SetText(dialog, 1016, "t");
    SetText(dialog, 1015, message);
    SetText(dialog, 1036, "1");
    Command(1030);
    Tick(kInterval, 20);
    Command(1030);
    Tick(kInterval, 59);
    EXPECT_EQ("0分1秒", Text(dialog, 1035)) << "开始计时 again counts from N anew";
    Tick(kInterval);
    EXPECT_EQ(Texts{ring}, boxes);
    EXPECT_EQ("0分0秒", Text(dialog, 1035));
    Tick(kInterval);
    EXPECT_EQ("0分59秒", Text(dialog, 1035)) << "是 counts again";
    const std::pair<const char *, void (*)(HWND)> stops[] = {
        {"停止计时", nullptr},
        {"否",
         [](HWND box) {
             Post(box, IDNO);
         }},
        {"停止计时, then 是",
         [](HWND box) {
             Command(1031);
             Post(box, IDYES);
         }},
        {"是 with the minutes emptied",
         [](HWND box) {
             SetText(dialog, 1036, "");
             Post(box, IDYES);
         }},
    };
    for (auto [what, answerWith] : stops) {
        boxes.clear();
        if (answerWith) {
            SetText(dialog, 1036, "1");
            Command(1030);
            answer = answerWith;
            Tick(kInterval, 60);
        } else {
            Command(1031);
        }
        EXPECT_FALSE(Armed(kInterval)) << what;
        EXPECT_EQ(0, intervalRunning) << what;
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 1036))) << what;
        EXPECT_EQ("0分0秒", Text(dialog, 1035)) << what;
    }
    EXPECT_EQ((Texts{ring, kRefusal}), boxes) << "是 with the minutes emptied";
}

}  // namespace
