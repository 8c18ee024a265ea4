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

namespace {

HWND mainWindow;
bool timerRunningInBox;

void CheckTimerInBox()
{
    timerRunningInBox = ScheduleTimerRunning(mainWindow);
}

class CountdownTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetFakeLocalTime(MakeTime(2026, 12, 6, 9, 0, 0));
        ClearTasks();
        StartAnsweringModals(AnswerScripted);
        window = mainWindow = CreateMainWindow();
    }
    void TearDown() override
    {
        DestroyMainWindow(window);
        StopAnsweringModals();
        ClearTasks();
    }
    void Add(const char *name, int hour, int minute)
    {
        AddScript script;
        script.name = name;
        script.message = std::string("time for ") + name;
        script.due = MakeTime(2026, 12, 6, hour, minute);
        ScriptNextAdd(script);
        SendCommand(window, IDC_MAIN_ADD);
    }
    // One tick at the given time; the timer is parked again afterwards.
    std::string TickAt(int hour, int minute, int second)
    {
        SetFakeLocalTime(MakeTime(2026, 12, 6, hour, minute, second));
        ScheduleTimerProc(window, WM_TIMER, kScheduleTimerId, 0);
        running = ScheduleTimerRunning(window);
        return ControlText(window, IDC_MAIN_TASK_COUNTDOWN);
    }
    std::string Text() { return ControlText(window, IDC_MAIN_TASK_COUNTDOWN); }
    size_t Boxes() { return ModalsSeen().size(); }
    HWND window = NULL;
    bool running = false;
};

TEST_F(CountdownTest, ExecuteRefusesAnEmptyListAndAFirstTaskDueNow)
{
    SendCommand(window, IDC_MAIN_EXECUTE);
    ASSERT_EQ(1u, Boxes());
    EXPECT_EQ("执行失败", ModalsSeen()[0].caption);
    EXPECT_EQ("首任务是无效任务，无法执行，请养成及时删除无效任务的好习惯~", ModalsSeen()[0].text);
    EXPECT_FALSE(ScheduleTimerRunning(window));

    Add("soon", 9, 1);
    SetFakeLocalTime(MakeTime(2026, 12, 6, 9, 1, 30));
    SendCommand(window, IDC_MAIN_EXECUTE);
    EXPECT_EQ("执行失败", ModalsSeen().back().caption);
    EXPECT_FALSE(ScheduleTimerRunning(window));

    // A running countdown keeps running after a refusal.
    SetFakeLocalTime(MakeTime(2026, 12, 6, 9, 0, 30));
    SendCommand(window, IDC_MAIN_EXECUTE);
    EXPECT_TRUE(ScheduleTimerRunning(window));
    EXPECT_EQ("0天0时0分0秒", Text());  // unchanged until the first tick
    SetFakeLocalTime(MakeTime(2026, 12, 6, 9, 2, 0));
    SendCommand(window, IDC_MAIN_EXECUTE);
    EXPECT_TRUE(ScheduleTimerRunning(window));
}

TEST_F(CountdownTest, TicksRingAtTheDueMinuteAndMoveOnToTheNextTask)
{
    Add("first", 10, 0);
    Add("second", 10, 1);
    SendCommand(window, IDC_MAIN_EXECUTE);
    size_t before = Boxes();

    EXPECT_EQ("0天0时1分40秒", TickAt(9, 58, 20));
    EXPECT_EQ("0天0时0分1秒", TickAt(9, 59, 59));
    EXPECT_EQ(before, Boxes());

    // The box is open with the timer killed; closed at 10:00:30, the text
    // comes from the time read before it.
    WhileNextBoxIsOpen(CheckTimerInBox);
    EXPECT_EQ("0天0时1分0秒", TickAt(10, 0, 0));
    ASSERT_EQ(before + 1, Boxes());
    EXPECT_EQ("first", ModalsSeen().back().caption);
    EXPECT_EQ("time for first", ModalsSeen().back().text);
    EXPECT_FALSE(timerRunningInBox);
    EXPECT_TRUE(running);
    EXPECT_EQ(std::vector<std::string>{"second  —  2026-12-6 | 10:01"}, ListItems(window));
    EXPECT_EQ(0, taskTable.lastIndex);

    EXPECT_EQ("0天0时0分29秒", TickAt(10, 0, 31));
    EXPECT_EQ("0天0时0分0秒", TickAt(10, 1, 59));  // rang late in its minute
    ASSERT_EQ(before + 2, Boxes());
    EXPECT_EQ("second", ModalsSeen().back().caption);
    EXPECT_TRUE(ListItems(window).empty());
    EXPECT_EQ(-1, taskTable.lastIndex);
    EXPECT_FALSE(running);

    SendCommand(window, IDC_MAIN_EXECUTE);
    EXPECT_EQ("执行失败", ModalsSeen().back().caption);
}

TEST_F(CountdownTest, APastFirstTaskNeverRingsAndShowsANegativeDayCount)
{
    Add("missed", 10, 0);
    Add("later", 11, 0);
    SendCommand(window, IDC_MAIN_EXECUTE);
    size_t before = Boxes();
    EXPECT_EQ("-1天23时58分30秒", TickAt(10, 1, 30));
    EXPECT_EQ(before, Boxes());
    EXPECT_TRUE(running);
    EXPECT_EQ(2u, ListItems(window).size());

    SendCommand(window, IDC_MAIN_STOP_TASK);
    EXPECT_FALSE(ScheduleTimerRunning(window));
    EXPECT_EQ("0天0时0分0秒", Text());
}

TEST_F(CountdownTest, EmptiedUnderARunningCountdownItShowsZeroAndTakesTheNextTask)
{
    Add("a", 9, 10);
    SendCommand(window, IDC_MAIN_EXECUTE);
    SetFakeLocalTime(MakeTime(2026, 12, 6, 9, 20, 0));
    SendCommand(window, IDC_MAIN_PURGE_INVALID);
    EXPECT_TRUE(ListItems(window).empty());
    EXPECT_EQ("0天0时0分0秒", TickAt(9, 20, 1));
    EXPECT_TRUE(running);

    Add("b", 9, 30);
    EXPECT_EQ("0天0时9分58秒", TickAt(9, 20, 2));
    // A task added ahead of the first becomes the target at the next tick.
    Add("c", 9, 25);
    EXPECT_EQ("0天0时4分57秒", TickAt(9, 20, 3));
}

}  // namespace
