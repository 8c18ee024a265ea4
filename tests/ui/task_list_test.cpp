#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "schedule/task_table.h"
#include "support/fake_clock.h"
#include "support/main_window.h"
#include "support/modal_answerer.h"
#include "support/task_script.h"
#include "ui/countdown.h"
#include "ui/task_list.h"

namespace {

const SYSTEMTIME kNow = MakeTime(2026, 12, 6, 8, 0, 0);

class TaskListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetFakeLocalTime(kNow);
        ClearTasks();
        StartAnsweringModals(AnswerScripted);
        window = CreateMainWindow();
    }
    void TearDown() override
    {
        DestroyMainWindow(window);
        StopAnsweringModals();
        ClearTasks();
    }
    void Add(const char *name, int hour, int minute, int day = 6)
    {
        AddScript script;
        script.name = name;
        script.message = std::string("msg ") + name;
        script.due = MakeTime(2026, 12, day, hour, minute);
        ScriptNextAdd(script);
        SendCommand(window, IDC_MAIN_ADD);
    }
    void Select(int index)
    {
        SendDlgItemMessageA(window, IDC_MAIN_TASK_LIST, LB_SETCURSEL, index, 0);
    }
    size_t BoxesSeen() { return ModalsSeen().size(); }
    const ModalSeen &LastModal() { return ModalsSeen().back(); }
    HWND window = NULL;
};

TEST_F(TaskListTest, AddsInDueOrderWithWholeLabels)
{
    Add("午饭", 12, 0);
    Add("早会", 9, 0);
    Add("电话", 10, 30);
    EXPECT_EQ((std::vector<std::string>{"早会  —  2026-12-6 | 09:00",
                                        "电话  —  2026-12-6 | 10:30",
                                        "午饭  —  2026-12-6 | 12:00"}),
              ListItems(window));
    EXPECT_EQ(2, taskTable.lastIndex);
    EXPECT_STREQ("msg 电话", taskTable.slots[1].message);
    // Two blanks, the double-byte em dash A1AA, two blanks.
    EXPECT_NE(std::string::npos, ListItems(window)[0].find("  \xA1\xAA  "));

    std::string longName(255, 'x');
    Add(longName.c_str(), 13, 0);
    EXPECT_EQ(longName + "  —  2026-12-6 | 13:00", ListItems(window)[3]);
}

TEST_F(TaskListTest, RefusalsShowTheirBoxAndChangeNothing)
{
    Add("keep", 9, 0);
    struct {
        SYSTEMTIME due;
        const char *text;
    } refusals[] = {
        {MakeTime(2026, 12, 6, 8, 0), "该任务是个无效任务"},
        {MakeTime(2026, 12, 6, 7, 59), "该任务是个无效任务"},
        {MakeTime(2026, 12, 6, 9, 0), "已经存在一个相同时间的任务了"},
        {MakeTime(2027, 0, 0, 9, 0), "任务日期不完整，请选择月和日"},
        {MakeTime(2026, 12, 0, 9, 0), "该任务是个无效任务"},
    };
    for (const auto &refusal : refusals) {
        AddScript script;
        script.name = "refused";
        script.due = refusal.due;
        ScriptNextAdd(script);
        size_t before = BoxesSeen();
        SendCommand(window, IDC_MAIN_ADD);
        ASSERT_EQ(before + 2, BoxesSeen());  // the dialog, then the refusal
        EXPECT_EQ("插入失败", LastModal().caption);
        EXPECT_EQ(refusal.text, LastModal().text);
        EXPECT_EQ(std::vector<std::string>{"keep  —  2026-12-6 | 09:00"}, ListItems(window));
        EXPECT_EQ(0, taskTable.lastIndex);
    }

    AddScript cancelled;
    cancelled.confirm = false;
    cancelled.due = MakeTime(2026, 12, 6, 10, 0);
    ScriptNextAdd(cancelled);
    SendCommand(window, IDC_MAIN_ADD);
    EXPECT_EQ(1u, ListItems(window).size());
}

TEST_F(TaskListTest, TheHundredAndFirstTaskIsRefused)
{
    // 99 tasks as the add command would store them (each dialog costs a
    // fifth of a second under Wine), then the 100th and 101st through it.
    for (int i = 0; i < kTaskCapacity - 1; ++i) {
        TaskRecord task = {};
        lstrcpyA(task.name, "t");
        task.dueTime = MakeTime(2026, 12, 6, 9 + i / 60, i % 60);
        char label[kTaskLabelSize];
        FormatTaskLabel(task, label);
        SendDlgItemMessageA(window, IDC_MAIN_TASK_LIST, LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(label));
        InsertTaskAt(task, i);
        ++taskTable.lastIndex;
    }
    Add("last", 8, 30);
    ASSERT_EQ(100u, ListItems(window).size());
    EXPECT_EQ("last  —  2026-12-6 | 08:30", ListItems(window)[0]);
    size_t before = BoxesSeen();
    Add("one too many", 23, 0);
    ASSERT_EQ(before + 2, BoxesSeen());
    EXPECT_EQ("任务列表已满，最多可添加100个任务", LastModal().text);
    EXPECT_EQ(100u, ListItems(window).size());
    EXPECT_EQ(99, taskTable.lastIndex);
}

TEST_F(TaskListTest, DeleteStopsTheCountdownOnlyForTheFirstTask)
{
    Add("a", 9, 0);
    Add("b", 10, 0);
    Add("c", 11, 0);
    size_t before = BoxesSeen();
    SendCommand(window, IDC_MAIN_DELETE);  // nothing selected
    EXPECT_EQ(3u, ListItems(window).size());

    SendCommand(window, IDC_MAIN_EXECUTE);
    ASSERT_TRUE(ScheduleTimerRunning(window));
    SetDlgItemTextA(window, IDC_MAIN_TASK_COUNTDOWN, "ticking");
    Select(1);
    SendCommand(window, IDC_MAIN_DELETE);
    EXPECT_TRUE(ScheduleTimerRunning(window));
    EXPECT_EQ("ticking", ControlText(window, IDC_MAIN_TASK_COUNTDOWN));
    EXPECT_EQ((std::vector<std::string>{"a  —  2026-12-6 | 09:00", "c  —  2026-12-6 | 11:00"}),
              ListItems(window));

    Select(0);
    SendCommand(window, IDC_MAIN_DELETE);
    EXPECT_FALSE(ScheduleTimerRunning(window));
    EXPECT_EQ("0天0时0分0秒", ControlText(window, IDC_MAIN_TASK_COUNTDOWN));
    EXPECT_EQ(std::vector<std::string>{"c  —  2026-12-6 | 11:00"}, ListItems(window));
    EXPECT_STREQ("c", taskTable.slots[0].name);
    EXPECT_EQ(0, taskTable.lastIndex);
    EXPECT_EQ(before, BoxesSeen());
}

TEST_F(TaskListTest, ClearStopsAndEmptiesThenAddStartsAtSlotZero)
{
    Add("a", 9, 0);
    Add("b", 10, 0);
    SendCommand(window, IDC_MAIN_EXECUTE);
    SendCommand(window, IDC_MAIN_CLEAR);
    EXPECT_FALSE(ScheduleTimerRunning(window));
    EXPECT_TRUE(ListItems(window).empty());
    EXPECT_EQ(-1, taskTable.lastIndex);
    EXPECT_EQ(0, taskTable.slots[1].name[0]);
    Add("new", 12, 0);
    EXPECT_EQ(std::vector<std::string>{"new  —  2026-12-6 | 12:00"}, ListItems(window));
    EXPECT_STREQ("new", taskTable.slots[0].name);
}

TEST_F(TaskListTest, PurgeRemovesPastTasksAndLeavesTheCountdownRunning)
{
    Add("p1", 8, 1);
    Add("f1", 9, 30);
    Add("p2", 8, 2);
    Add("p3", 8, 30);
    Add("f2", 9, 40);
    SendCommand(window, IDC_MAIN_EXECUTE);
    ASSERT_TRUE(ScheduleTimerRunning(window));
    SetFakeLocalTime(MakeTime(2026, 12, 6, 9, 0, 10));
    SendCommand(window, IDC_MAIN_PURGE_INVALID);
    EXPECT_EQ((std::vector<std::string>{"f1  —  2026-12-6 | 09:30", "f2  —  2026-12-6 | 09:40"}),
              ListItems(window));
    EXPECT_EQ(1, taskTable.lastIndex);
    EXPECT_TRUE(ScheduleTimerRunning(window));
}

TEST_F(TaskListTest, DetailsRelabelsInPlaceAndCancelKeepsTheLabel)
{
    Add("a", 9, 0);
    Add("b", 10, 0);
    SendCommand(window, IDC_MAIN_DETAILS);  // nothing selected: no dialog
    EXPECT_TRUE(ModalsSeen().size() == 2);

    Select(1);
    DetailsScript cancel;
    cancel.confirm = false;
    ScriptNextDetails(cancel);
    SendCommand(window, IDC_MAIN_DETAILS);
    EXPECT_EQ("b  —  2026-12-6 | 10:00", ListItems(window)[1]);

    DetailsScript rename;
    rename.name = "bb";
    rename.message = "new message";
    rename.soundPath = "D:\\x.mp3";
    ScriptNextDetails(rename);
    SendCommand(window, IDC_MAIN_DETAILS);
    EXPECT_EQ((std::vector<std::string>{"a  —  2026-12-6 | 09:00", "bb  —  2026-12-6 | 10:00"}),
              ListItems(window));
    EXPECT_STREQ("new message", taskTable.slots[1].message);
    EXPECT_STREQ("D:\\x.mp3", taskTable.slots[1].soundPath);
    EXPECT_EQ(10, taskTable.slots[1].dueTime.wHour);
}

HWND ringingWindow;

void FirstTaskRings()
{
    SetFakeLocalTime(MakeTime(2026, 12, 6, 9, 0, 0));
    ScheduleTimerProc(ringingWindow, WM_TIMER, kScheduleTimerId, 0);
}

TEST_F(TaskListTest, DetailsFollowTheirTaskWhenAnAlarmShiftsTheTable)
{
    Add("a", 9, 0);
    Add("b", 10, 0);
    Add("c", 11, 0);
    SendCommand(window, IDC_MAIN_EXECUTE);
    ringingWindow = window;

    // "a" rings while the dialog shows "b": "b" moves to slot 0.
    Select(1);
    DetailsScript rename;
    rename.name = "b2";
    rename.whileOpen = FirstTaskRings;
    ScriptNextDetails(rename);
    SendCommand(window, IDC_MAIN_DETAILS);
    EXPECT_EQ((std::vector<std::string>{"b2  —  2026-12-6 | 10:00", "c  —  2026-12-6 | 11:00"}),
              ListItems(window));
    EXPECT_STREQ("b2", taskTable.slots[0].name);
    EXPECT_STREQ("c", taskTable.slots[1].name);

    // The shown task itself rings while the dialog is open: nothing to store.
    SetFakeLocalTime(MakeTime(2026, 12, 6, 9, 30, 0));
    Select(0);
    rename.name = "lost";
    rename.whileOpen = [] {
        SetFakeLocalTime(MakeTime(2026, 12, 6, 10, 0, 0));
        ScheduleTimerProc(ringingWindow, WM_TIMER, kScheduleTimerId, 0);
    };
    ScriptNextDetails(rename);
    SendCommand(window, IDC_MAIN_DETAILS);
    EXPECT_EQ("更改失败", LastModal().caption);
    EXPECT_EQ("该任务已不存在，更改未保存", LastModal().text);
    EXPECT_EQ(std::vector<std::string>{"c  —  2026-12-6 | 11:00"}, ListItems(window));
    EXPECT_STREQ("c", taskTable.slots[0].name);
}

}  // namespace
