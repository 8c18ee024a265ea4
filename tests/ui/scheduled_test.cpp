#include "ui/countdown.h"
#include "ui/harness.h"

namespace {

using Texts = std::vector<std::string>;
const char kInvalid[] = "插入失败|该任务是个无效任务";
const char kNoStart[] = "执行失败|首任务是无效任务，无法执行，请养成及时删除无效任务的好习惯~";

std::string Range(HWND dialog, int id)
{
    int count = (int)SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0);
    char first[16] = "", last[16] = "";
    SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, 0, (LPARAM)first);
    SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, count - 1, (LPARAM)last);
    return std::string(first) + ".." + last + " " + std::to_string(count);
}

// Opened in 2096: the date lists open up in order, and February follows the
// plain leap rule, 2100 included.
TEST_F(Ui, AddDialogListsOpenUpInOrderAndCancelAddsNothing)
{
    SetFakeLocalTime(MakeTime(2096, 3, 1, 8, 0));
    answer = [](HWND dialog) {
        auto enabled = [dialog](int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; };
        EXPECT_EQ("2096..2146 51|01..12 12|00..23 24|00..59 60",
                  Range(dialog, 1022) + "|" + Range(dialog, 1023) + "|" + Range(dialog, 1016) + "|" + Range(dialog, 1017));
        EXPECT_EQ(0, SendDlgItemMessageA(dialog, 1024, CB_GETCOUNT, 0, 0));
        EXPECT_TRUE(!enabled(1023) && !enabled(1024));
        EXPECT_EQ("设置提示音文件路径,点击右边选择文件", TextOf(dialog, 1026));
        Select(dialog, 1022, 4);  // 2100
        EXPECT_TRUE(enabled(1023) && !enabled(1024));
        EXPECT_EQ("01..30 30", Range(dialog, 1024));
        Select(dialog, 1023, 1);
        EXPECT_TRUE(enabled(1024));
        EXPECT_EQ("01..29 29", Range(dialog, 1024));
        Select(dialog, 1022, 1);
        EXPECT_EQ("01..28 28", Range(dialog, 1024));
        Select(dialog, 1023, 0);
        Select(dialog, 1024, 30);
        Select(dialog, 1016, 7);
        Select(dialog, 1017, 5);
        SetDlgItemTextA(dialog, 1018, "n");
        Press(dialog, 1000);
    };
    Command(1008);
    answer = [](HWND dialog) { Press(dialog, 1013); };
    Command(1008);
    EXPECT_EQ(Texts{"n  —  2097-1-31 | 07:05"}, Items());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Ui, TaskCommandsKeepTheListSortedAndStopTheCountdownWhenTheyShould)
{
    Add("b", MakeTime(2026, 12, 6, 12, 0));
    Add("past", MakeTime(2026, 12, 6, 9, 5));
    Add("c", MakeTime(2026, 12, 7, 9, 5));
    Add("a", MakeTime(2026, 12, 6, 10, 30));
    Add("same", MakeTime(2026, 12, 6, 12, 0));
    Add("no day", MakeTime(2027, 1, 0, 8, 0));
    Add("now", MakeTime(2026, 12, 6, 9, 58));
    EXPECT_EQ((Texts{"a  —  2026-12-6 | 10:30", "b  —  2026-12-6 | 12:00", "c  —  2026-12-7 | 09:05"}), Items());
    EXPECT_EQ((Texts{kInvalid, "插入失败|已经存在一个相同时间的任务了", "插入失败|任务日期不完整，请选择月和日", kInvalid}),
              boxes);
    Command(1018);
    Command(1009);  // nothing selected: nothing happens
    SendDlgItemMessageA(w, 1007, LB_SETCURSEL, 1, 0);
    Command(1009);
    EXPECT_EQ((Texts{"a  —  2026-12-6 | 10:30", "c  —  2026-12-7 | 09:05"}), Items());
    EXPECT_TRUE(Armed(0, ScheduleTimerProc));
    SetFakeLocalTime(MakeTime(2026, 12, 6, 11, 0));
    Command(1017);  // leaves the countdown on to the new first task
    Tick(0, ScheduleTimerProc);
    EXPECT_EQ("0天22时5分0秒", Text(1029));
    SendDlgItemMessageA(w, 1007, LB_SETCURSEL, 0, 0);
    Command(1009);
    EXPECT_TRUE(Items().empty() && !Armed(0, ScheduleTimerProc));
    EXPECT_EQ("0天0时0分0秒", Text(1029));

    // Emptied under a running countdown: zeros, then the next task at once.
    Add("d", MakeTime(2026, 12, 6, 11, 2));
    Command(1018);
    SetFakeLocalTime(MakeTime(2026, 12, 6, 11, 5));
    Command(1017);
    Tick(0, ScheduleTimerProc);
    EXPECT_EQ("0天0时0分0秒", Text(1029));
    Add("e", MakeTime(2026, 12, 6, 11, 7));
    Tick(0, ScheduleTimerProc);
    EXPECT_EQ("0天0时2分0秒", Text(1029));
    Command(1010);
    EXPECT_TRUE(Items().empty() && !Armed(0, ScheduleTimerProc));
    EXPECT_EQ("0天0时0分0秒", Text(1029));
    EXPECT_EQ(4u, boxes.size());
}

SYSTEMTIME closeAt;

// A box kept open past the next task's minute: that task and one due in
// the minute the box closed ring at the next tick, in order, and the
// countdown never goes negative.
TEST_F(Ui, CountdownRingsDueAndMissedTasksInOrder)
{
    Command(1018);
    Add("A", MakeTime(2026, 12, 6, 10, 0));
    Add("B", MakeTime(2026, 12, 6, 10, 1));
    Add("C", MakeTime(2026, 12, 6, 10, 2));
    Add("D", MakeTime(2026, 12, 6, 10, 30));
    SetFakeLocalTime(MakeTime(2026, 12, 6, 10, 0, 10));
    Command(1018);
    EXPECT_FALSE(Armed(0, ScheduleTimerProc));
    SetFakeLocalTime(MakeTime(2026, 12, 6, 9, 58, 20));
    Command(1018);
    EXPECT_EQ("0天0时0分0秒", Text(1029));
    Tick(0, ScheduleTimerProc);
    EXPECT_EQ("0天0时1分40秒", Text(1029));

    answer = [](HWND box) {
        SetFakeLocalTime(closeAt);
        Press(box, IDOK);
    };
    closeAt = MakeTime(2026, 12, 6, 10, 2, 5);
    SetFakeLocalTime(MakeTime(2026, 12, 6, 10, 0, 0));
    Tick(0, ScheduleTimerProc);
    EXPECT_EQ("0天0时1分0秒", Text(1029));  // from the time read before the box
    Tick(0, ScheduleTimerProc);
    EXPECT_EQ("0天0时27分55秒", Text(1029));
    EXPECT_EQ(Texts{"D  —  2026-12-6 | 10:30"}, Items());
    SetFakeLocalTime(MakeTime(2026, 12, 6, 10, 30, 0));
    Tick(0, ScheduleTimerProc);
    EXPECT_EQ((Texts{kNoStart, kNoStart, "A|A!", "B|B!", "C|C!", "D|D!"}), boxes);
    EXPECT_TRUE(Items().empty() && !Armed(0, ScheduleTimerProc));
    EXPECT_EQ("0天0时0分0秒", Text(1029));
}

}  // namespace
