#include <gtest/gtest.h>

#include "app/main_dialog.h"
#include "schedule/task_table.h"
#include "sound/sound.h"
#include "support/driver.h"
#include "support/fake_clock.h"
#include "ui/countdown.h"
#include "ui/interval.h"
#include "ui/panels.h"

namespace {

// Modal windows are caught from a WH_CBT hook and answered inside their own
// loop once shown: by `answer`, else the add-task dialog from nextName and
// nextDue, else IDYES or IDOK. Message boxes are noted as "caption|text".
void (*answer)(HWND window);
std::vector<std::string> boxes;
const char *nextName;
SYSTEMTIME nextDue;

// Wine activates a dialog while it is still hidden; its loop shows it later.
void CALLBACK AnswerOnceShown(HWND window, UINT, UINT_PTR timer, DWORD)
{
    if (!IsWindowVisible(window))
        return;
    KillTimer(window, timer);
    SYSTEMTIME now;
    ReadLocalTime(&now);
    if (GetDlgItem(window, IDOK) || GetDlgItem(window, IDYES))
        boxes.push_back(Text(window) + "|" + Text(window, 0xFFFF));
    if (answer)
        answer(window);
    else if (Text(window) == "时间设置")
        FillAddDialog(window, nextName, now, nextDue), Post(window, 1000);
    else
        Post(window, GetDlgItem(window, IDYES) ? IDYES : IDOK);
}

LRESULT CALLBACK WatchActivations(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = reinterpret_cast<HWND>(wParam);
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (code == HCBT_ACTIVATE && !lstrcmpA(name, "#32770") && Text(window) != "ZelbrinV1.0" && !GetPropA(window, "caught"))
        SetPropA(window, "caught", window), SetTimer(window, 0x7E57, 1, AnswerOnceShown);
    return CallNextHookEx(NULL, code, wParam, lParam);
}

// The main dialog, modeless, its table empty, the clock at 2026-12-6 09:58:20.
class Ui : public testing::Test {
protected:
    void SetUp() override
    {
        static HHOOK hook = SetWindowsHookExA(WH_CBT, WatchActivations, NULL, GetCurrentThreadId());
        answer = nullptr, boxes.clear(), ClearTasks(), intervalRunning = 0, (void)hook;
        SetFakeLocalTime(MakeTime(2026, 12, 6, 9, 58, 20));
        w = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(101), NULL, MainDialogProc, 0);
        ShowWindow(w, SW_SHOWNORMAL);
    }
    void TearDown() override { DestroyWindow(w); }
    void Command(int id) { SendMessageA(w, WM_COMMAND, id, (LPARAM)GetDlgItem(w, id)); }
    void Add(const char *name, const SYSTEMTIME &due) { nextName = name, nextDue = due, Command(1008); }
    // Whether the timer exists. It is re-armed with the longest period, so
    // that only the test's own ticks, with the test's clock, reach it.
    bool Armed(UINT_PTR id, TIMERPROC proc) { return KillTimer(w, id) && SetTimer(w, id, USER_TIMER_MAXIMUM, proc); }
    void Tick(UINT_PTR id, TIMERPROC proc, int count = 1) { while (count--) Armed(id, proc), proc(w, WM_TIMER, id, 0); }
    HWND w = NULL;
};

using Texts = std::vector<std::string>;

// Radios, then each panel's inputs and other controls: 'E' shown and enabled,
// 's' shown but disabled, 'h' hidden but enabled, '-' hidden and disabled.
std::string Panels(HWND w)
{
    std::string state;
    for (int id : {1004, 1005, 0, 1007, 1008, 1009, 1010, 1017, 1018, 1019, 1020, 0, 1037, 1038, 1029, 0, 1036, 1016,
                   1015, 1033, 1034, 1030, 1031, 0, 1040, 1039, 1042, 1044, 1041, 1045, 1046, 1035}) {
        HWND control = GetDlgItem(w, id);
        bool shown = (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0, enabled = IsWindowEnabled(control);
        state += !id ? ' ' : shown ? (enabled ? 'E' : 's') : (enabled ? 'h' : '-');
    }
    return state;
}

TEST_F(Ui, PanelsSwitchTheMinutesStayLockedWhileCountingAndOnlyALeftClickShows)
{
    const char *scheduled = "EE EEEEEEEE EEE ------- hhhhhhhh", *interval = "EE -------- hhh EEEEEEE EEEEEEEE",
               *counting = "EE -------- hhh sEEEEEE EEEEEEEE";
    const struct { int command; const char *panels; } steps[] = {
        {0, scheduled}, {1005, interval}, {1030, counting}, {1004, scheduled}, {1005, counting}, {1031, interval}};
    EXPECT_EQ(BST_CHECKED, SendDlgItemMessageA(w, 1004, BM_GETCHECK, 0, 0));
    EXPECT_EQ("0天0时0分0秒|0分0秒|设置提示音文件路径,点击右边选择文件", Text(w, 1029) + "|" + Text(w, 1035) + "|" + Text(w, 1033));
    SetText(w, 1036, "5");
    for (const auto &step : steps)
        EXPECT_EQ(step.panels, (Command(step.command), Panels(w))) << step.command;
    ShowWindow(w, SW_HIDE);  // only a left press on our own icon shows it
    for (auto [icon, mouse] : {std::pair{0, WM_LBUTTONUP}, {0, WM_RBUTTONUP}, {0, WM_LBUTTONDBLCLK}, {1, WM_LBUTTONDOWN}, {0, WM_LBUTTONDOWN}})
        EXPECT_EQ(mouse == WM_LBUTTONDOWN && !icon, (SendMessageA(w, WM_USER + 5, icon, mouse), IsWindowVisible(w))) << mouse;
    // Chinese (PRC) templates, and common controls 6 for the visual styles.
    EXPECT_TRUE(FindResourceExA(NULL, RT_DIALOG, MAKEINTRESOURCEA(101), MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED)));
    HRSRC manifest = FindResourceA(NULL, MAKEINTRESOURCEA(1), RT_MANIFEST);
    std::string text(static_cast<const char *>(LockResource(LoadResource(NULL, manifest))), SizeofResource(NULL, manifest));
    EXPECT_NE(std::string::npos, text.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
}

// Each list of the add-task dialog as "first..last count", " off" if disabled.
std::string Lists(HWND dialog)
{
    std::string lists;
    for (int id : {1022, 1023, 1024, 1016, 1017}) {
        int count = (int)SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0);
        char first[16] = "", last[16] = "";
        SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, 0, (LPARAM)first);
        SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, count - 1, (LPARAM)last);
        lists += std::string(first) + ".." + last + " " + std::to_string(count) + (IsWindowEnabled(GetDlgItem(dialog, id)) ? "|" : " off|");
    }
    return lists;
}

// The date lists open up in order; February follows the plain leap rule.
TEST_F(Ui, AddDialogListsOpenUpInOrderAndCancelAddsNothing)
{
    SetFakeLocalTime(MakeTime(2096, 3, 1, 8, 0));
    answer = [](HWND dialog) {
        EXPECT_EQ("2096..2146 51|01..12 12 off|.. 0 off|00..23 24|00..59 60|设置提示音文件路径,点击右边选择文件",
                  Lists(dialog) + Text(dialog, 1026));
        Select(dialog, 1022, 4);  // 2100
        EXPECT_EQ("2096..2146 51|01..12 12|01..30 30 off|00..23 24|00..59 60|", Lists(dialog));
        Select(dialog, 1023, 1);
        EXPECT_EQ("01..29 29|", Lists(dialog).substr(24, 10));
        Select(dialog, 1022, 1);
        EXPECT_EQ("01..28 28|", Lists(dialog).substr(24, 10));
        Post(dialog, 1013);
    };
    Command(1008);
    EXPECT_TRUE(ListItems(w, 1007).empty() && boxes.empty());
}

// On Windows without 8.3 names the short path is the long one, blanks and all.
TEST(Sound, CommandsQuoteTheShortPathAndSkipAMissingFile)
{
    char command[kSoundCommandSize];
    EXPECT_TRUE(FormatSoundCommand("play", "C:\\A B\\T.MP3", command) && !strcmp(command, "play \"C:\\A B\\T.MP3\""));
    EXPECT_FALSE(FormatSoundCommand("close", "", command) || *command);
}

const char kInvalid[] = "插入失败|该任务是个无效任务";
const char kNoStart[] = "执行失败|首任务是无效任务，无法执行，请养成及时删除无效任务的好习惯~";

TEST_F(Ui, TaskCommandsKeepTheListSortedAndStopTheCountdownWhenTheyShould)
{
    const SYSTEMTIME dues[] = {MakeTime(2026, 12, 6, 12, 0), MakeTime(2026, 12, 6, 9, 5), MakeTime(2026, 12, 7, 9, 5),
                               MakeTime(2026, 12, 6, 10, 30), MakeTime(2026, 12, 6, 12, 0), MakeTime(2027, 1, 0, 8, 0),
                               MakeTime(2026, 12, 6, 9, 58)};
    for (const SYSTEMTIME &due : dues)
        Add(std::string(1, 'a' + (&due - dues)).c_str(), due);
    EXPECT_EQ((Texts{"d  —  2026-12-6 | 10:30", "a  —  2026-12-6 | 12:00", "c  —  2026-12-7 | 09:05"}), ListItems(w, 1007));
    EXPECT_EQ((Texts{kInvalid, "插入失败|已经存在一个相同时间的任务了", "插入失败|任务日期不完整，请选择月和日", kInvalid}), boxes);
    Command(1018);
    Command(1009);  // nothing selected: nothing happens
    SendDlgItemMessageA(w, 1007, LB_SETCURSEL, 1, 0);
    Command(1009);
    EXPECT_TRUE(ListItems(w, 1007).size() == 2 && ListItems(w, 1007)[1][0] == 'c' && Armed(0, ScheduleTimerProc));
    SetFakeLocalTime(MakeTime(2026, 12, 6, 10, 30));
    Command(1017);  // a task due this minute goes too; the countdown goes on
    Tick(0, ScheduleTimerProc);
    EXPECT_EQ("0天22时35分0秒", Text(w, 1029));
    SendDlgItemMessageA(w, 1007, LB_SETCURSEL, 0, 0);
    Command(1009);
    EXPECT_TRUE(ListItems(w, 1007).empty() && !Armed(0, ScheduleTimerProc) && Text(w, 1029) == "0天0时0分0秒");
    // Emptied under a running countdown: zeros, then the next task at once.
    Add("h", MakeTime(2026, 12, 6, 11, 2));
    Command(1018);
    Tick(0, ScheduleTimerProc);
    SetFakeLocalTime(MakeTime(2026, 12, 6, 11, 5));
    Command(1017);
    Tick(0, ScheduleTimerProc);
    EXPECT_EQ("0天0时0分0秒", Text(w, 1029));
    Add("i", MakeTime(2026, 12, 6, 11, 7));
    Tick(0, ScheduleTimerProc);
    EXPECT_EQ("0天0时2分0秒", Text(w, 1029));
    Command(1010);
    EXPECT_TRUE(ListItems(w, 1007).empty() && !Armed(0, ScheduleTimerProc) && boxes.size() == 4);
    EXPECT_EQ("0天0时0分0秒", Text(w, 1029));
}

// A box kept open past the next task's minute: that task and one due in the
// minute the box closed ring at the next tick, in order, never negative.
TEST_F(Ui, CountdownRingsDueAndMissedTasksInOrder)
{
    Command(1018);
    for (int i = 0; i < 4; ++i)
        Add(std::string(1, 'A' + i).c_str(), MakeTime(2026, 12, 6, 10, i == 3 ? 30 : i));
    SetFakeLocalTime(MakeTime(2026, 12, 6, 10, 0, 10));
    EXPECT_FALSE((Command(1018), Armed(0, ScheduleTimerProc)));  // A is due this minute
    SetFakeLocalTime(MakeTime(2026, 12, 6, 9, 58, 20));
    Command(1018);
    Tick(0, ScheduleTimerProc);
    EXPECT_EQ("0天0时1分40秒", Text(w, 1029));
    answer = [](HWND box) { SetFakeLocalTime(MakeTime(2026, 12, 6, 10, 2, 5)), Post(box, IDOK); };
    SetFakeLocalTime(MakeTime(2026, 12, 6, 10, 0, 0));
    Tick(0, ScheduleTimerProc);
    EXPECT_EQ("0天0时1分0秒", Text(w, 1029));  // from the time read before the box
    Tick(0, ScheduleTimerProc);
    EXPECT_EQ("0天0时27分55秒", Text(w, 1029));
    EXPECT_EQ(Texts{"D  —  2026-12-6 | 10:30"}, ListItems(w, 1007));
    SetFakeLocalTime(MakeTime(2026, 12, 6, 10, 30, 0));
    Tick(0, ScheduleTimerProc);
    EXPECT_EQ((Texts{kNoStart, kNoStart, "A|A!", "B|B!", "C|C!", "D|D!"}), boxes);
    EXPECT_TRUE(ListItems(w, 1007).empty() && !Armed(0, ScheduleTimerProc) && Text(w, 1029) == "0天0时0分0秒");
}

const char kRefusal[] = "开始失败|请输入1到35791394之间的分钟数";

// Yes counts N minutes again, but stops and says why if N became invalid.
TEST_F(Ui, IntervalRefusesBadMinutesAndRingsEveryNMinutesUntilNo)
{
    Command(1005);
    for (const char *minutes : {"", "0", "-5", "abc", "1x", "35791395", "99999999999"})
        EXPECT_FALSE((SetText(w, 1036, minutes), Command(1030), Armed(1, IntervalTimerProc))) << minutes;
    EXPECT_TRUE(Texts(7, kRefusal) == boxes && IsWindowEnabled(GetDlgItem(w, 1036)));
    SetText(w, 1036, "35791394");
    Command(1030);
    Tick(1, IntervalTimerProc);
    EXPECT_EQ("35791393分59秒", Text(w, 1035));
    boxes.clear();
    SetText(w, 1016, "休息");
    SetText(w, 1015, "看远处");
    SetText(w, 1036, "1");
    Command(1030);  // again while counting: from N anew
    Tick(1, IntervalTimerProc, 60);
    const std::string ring = "休息|看远处\n\n[确定]继续计时，[取消]退出计时";
    EXPECT_TRUE(Texts{ring} == boxes && Armed(1, IntervalTimerProc) && intervalRunning == 1 && Text(w, 1035) == "0分0秒");
    Tick(1, IntervalTimerProc);
    EXPECT_EQ("0分59秒", Text(w, 1035));
    SetText(w, 1036, "0");
    Tick(1, IntervalTimerProc, 59);
    EXPECT_EQ((Texts{ring, ring, kRefusal}), boxes);
    EXPECT_TRUE(!Armed(1, IntervalTimerProc) && intervalRunning == 0);
    SetText(w, 1036, "1");
    Command(1030);
    answer = [](HWND box) { Post(box, IDNO); };
    Tick(1, IntervalTimerProc, 60);
    EXPECT_EQ("0分0秒|看远处", Text(w, 1035) + "|" + Text(w, 1015));
    EXPECT_TRUE(!Armed(1, IntervalTimerProc) && intervalRunning == 0 && boxes.size() == 4);
}

}  // namespace
