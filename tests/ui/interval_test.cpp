#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "res/resource.h"
#include "support/main_window.h"
#include "support/modal_answerer.h"
#include "ui/interval.h"
#include "ui/panels.h"

namespace {

TEST(ParseIntervalMinutes, TakesWholeNumbersFromOneToTheLargestThatFits)
{
    struct {
        const char *text;
        bool valid;
        int minutes;
    } cases[] = {
        {"1", true, 1}, {"90", true, 90}, {"007", true, 7}, {"35791394", true, 35791394},
        {"", false, 0}, {"0", false, 0}, {"-5", false, 0}, {"abc", false, 0},
        {"5a", false, 0}, {" 5", false, 0}, {"+5", false, 0}, {"35791395", false, 0},
        {"99999999999", false, 0}, {"999999999999999999999999", false, 0},
    };
    for (const auto &c : cases) {
        int minutes = -1;
        EXPECT_EQ(c.valid, ParseIntervalMinutes(c.text, &minutes)) << c.text;
        if (c.valid) {
            EXPECT_EQ(c.minutes, minutes) << c.text;
        }
    }
}

int nextAnswer = IDYES;
void (*whileBoxOpen)() = nullptr;

void AnswerBox(HWND box)
{
    if (whileBoxOpen) {
        void (*action)() = whileBoxOpen;
        whileBoxOpen = nullptr;
        action();
    }
    PostMessageA(box, WM_COMMAND, nextAnswer, 0);
}

HWND mainWindow;
bool timerAliveInBox;

bool IntervalTimerRunning(HWND window)
{
    if (!KillTimer(window, kIntervalTimerId))
        return false;
    SetTimer(window, kIntervalTimerId, USER_TIMER_MAXIMUM, IntervalTimerProc);
    return true;
}

class IntervalTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        intervalRunning = 0;
        nextAnswer = IDYES;
        StartAnsweringModals(AnswerBox);
        window = mainWindow = CreateMainWindow();
        SendCommand(window, IDC_MAIN_INTERVAL_RADIO);
        SetDlgItemTextA(window, IDC_MAIN_TITLE, "喝水");
        SetDlgItemTextA(window, IDC_MAIN_MESSAGE, "站起来走走");
    }
    void TearDown() override
    {
        KillTimer(window, kIntervalTimerId);
        DestroyMainWindow(window);
        StopAnsweringModals();
        intervalRunning = 0;
    }
    void Start(const char *minutes)
    {
        SetDlgItemTextA(window, IDC_MAIN_MINUTES, minutes);
        SendCommand(window, IDC_MAIN_START_INTERVAL);
        running = IntervalTimerRunning(window);
    }
    std::string Tick()
    {
        IntervalTimerProc(window, WM_TIMER, kIntervalTimerId, 0);
        running = IntervalTimerRunning(window);
        return ControlText(window, IDC_MAIN_INTERVAL_COUNTDOWN);
    }
    std::string Text() { return ControlText(window, IDC_MAIN_INTERVAL_COUNTDOWN); }
    bool MinutesEnabled() { return ControlEnabled(window, IDC_MAIN_MINUTES); }
    HWND window = NULL;
    bool running = false;
};

const char kPrompt[] = "\n\n[确定]继续计时，[取消]退出计时";

TEST_F(IntervalTest, OneMinuteCountsDownRingsAndYesCountsAgain)
{
    Start("1");
    EXPECT_TRUE(running);
    EXPECT_EQ(1, intervalRunning);
    EXPECT_FALSE(MinutesEnabled());
    EXPECT_EQ("0分0秒", Text());  // unchanged until the first tick

    for (int left = 59; left >= 1; --left)
        ASSERT_EQ("0分" + std::to_string(left) + "秒", Tick());
    EXPECT_TRUE(ModalsSeen().empty());

    whileBoxOpen = [] { timerAliveInBox = IntervalTimerRunning(mainWindow); };
    EXPECT_EQ("0分0秒", Tick());
    ASSERT_EQ(1u, ModalsSeen().size());
    EXPECT_EQ("喝水", ModalsSeen()[0].caption);
    EXPECT_EQ(std::string("站起来走走") + kPrompt, ModalsSeen()[0].text);
    EXPECT_FALSE(timerAliveInBox);
    EXPECT_TRUE(running);
    EXPECT_EQ(1, intervalRunning);
    EXPECT_FALSE(MinutesEnabled());
    EXPECT_EQ("0分0秒", Text());
    EXPECT_EQ("0分59秒", Tick());
}

TEST_F(IntervalTest, NoStopsKeepsTheTextsAndUnlocksTheField)
{
    SetDlgItemTextA(window, IDC_MAIN_SOUND_PATH, "C:\\nothing here.mp3");
    Start("1");
    for (int i = 0; i < 59; ++i)
        Tick();
    nextAnswer = IDNO;
    EXPECT_EQ("0分0秒", Tick());
    EXPECT_FALSE(running);
    EXPECT_EQ(0, intervalRunning);
    EXPECT_TRUE(MinutesEnabled());
    EXPECT_EQ("1", ControlText(window, IDC_MAIN_MINUTES));
    EXPECT_EQ("喝水", ControlText(window, IDC_MAIN_TITLE));
    EXPECT_EQ("站起来走走", ControlText(window, IDC_MAIN_MESSAGE));
    EXPECT_EQ("C:\\nothing here.mp3", ControlText(window, IDC_MAIN_SOUND_PATH));
}

TEST_F(IntervalTest, LongIntervalsShowMinutesOnlyAndStartAgainRestarts)
{
    Start("2");
    EXPECT_EQ("1分59秒", Tick());
    Start("90");
    EXPECT_EQ("89分59秒", Tick());
    // Start while counting: from N again, whatever was left.
    Tick();
    Tick();
    SendCommand(window, IDC_MAIN_START_INTERVAL);
    EXPECT_EQ("89分59秒", Tick());

    EnableWindow(GetDlgItem(window, IDC_MAIN_MINUTES), TRUE);
    Start("35791394");
    EXPECT_EQ("35791393分59秒", Tick());
}

TEST_F(IntervalTest, StopWorksWhileIdleAndWhileCounting)
{
    SetDlgItemTextA(window, IDC_MAIN_INTERVAL_COUNTDOWN, "stale");
    SendCommand(window, IDC_MAIN_STOP_INTERVAL);
    EXPECT_EQ("0分0秒", Text());
    EXPECT_TRUE(MinutesEnabled());
    EXPECT_FALSE(IntervalTimerRunning(window));

    Start("3");
    Tick();
    SendCommand(window, IDC_MAIN_STOP_INTERVAL);
    EXPECT_EQ("0分0秒", Text());
    EXPECT_TRUE(MinutesEnabled());
    EXPECT_EQ(0, intervalRunning);
    EXPECT_FALSE(IntervalTimerRunning(window));
    EXPECT_TRUE(ModalsSeen().empty());
}

TEST_F(IntervalTest, InvalidMinutesAreRefusedAndChangeNothing)
{
    for (const char *text : {"", "0", "-5", "abc", "99999999999", "35791395"}) {
        SCOPED_TRACE(text);
        StartAnsweringModals(AnswerBox);
        Start(text);
        ASSERT_EQ(1u, ModalsSeen().size());
        EXPECT_EQ("开始失败", ModalsSeen()[0].caption);
        EXPECT_EQ("请输入1到35791394之间的分钟数", ModalsSeen()[0].text);
        EXPECT_FALSE(running);
        EXPECT_EQ(0, intervalRunning);
        EXPECT_TRUE(MinutesEnabled());
        EXPECT_EQ("0分0秒", Text());
    }

    // While counting, a refusal leaves the count running.
    Start("2");
    Tick();
    SetDlgItemTextA(window, IDC_MAIN_MINUTES, "0");
    StartAnsweringModals(AnswerBox);
    SendCommand(window, IDC_MAIN_START_INTERVAL);
    EXPECT_EQ(1u, ModalsSeen().size());
    EXPECT_TRUE(IntervalTimerRunning(window));
    EXPECT_EQ(1, intervalRunning);
    EXPECT_EQ("1分58秒", Tick());

    // Yes with no valid N left in the field ends the count as No does.
    SetDlgItemTextA(window, IDC_MAIN_MINUTES, "1");
    SendCommand(window, IDC_MAIN_START_INTERVAL);
    for (int i = 0; i < 59; ++i)
        Tick();
    whileBoxOpen = [] { SetDlgItemTextA(mainWindow, IDC_MAIN_MINUTES, ""); };
    Tick();
    EXPECT_FALSE(running);
    EXPECT_EQ(0, intervalRunning);
    EXPECT_TRUE(MinutesEnabled());
}

TEST_F(IntervalTest, TheAlarmReadsTheFieldsWhenItRingsAndShowsTheWholeMessage)
{
    Start("1");
    for (int i = 0; i < 30; ++i)
        Tick();
    std::string longest(259, 'm');
    SetDlgItemTextA(window, IDC_MAIN_TITLE, "new title");
    SetDlgItemTextA(window, IDC_MAIN_MESSAGE, longest.c_str());
    for (int i = 0; i < 30; ++i)
        Tick();
    ASSERT_EQ(1u, ModalsSeen().size());
    EXPECT_EQ("new title", ModalsSeen()[0].caption);
    EXPECT_EQ(longest + kPrompt, ModalsSeen()[0].text);
}

TEST_F(IntervalTest, TheMinutesFieldStaysLockedAcrossPanelSwitchesWhileCounting)
{
    Start("1");
    SendCommand(window, IDC_MAIN_SCHEDULED_RADIO);
    Tick();
    SendCommand(window, IDC_MAIN_INTERVAL_RADIO);
    EXPECT_FALSE(MinutesEnabled());
    EXPECT_EQ("0分59秒", Text());

    // Answered No while the scheduled panel is shown: enabled while hidden,
    // and enabled when shown again.
    SendCommand(window, IDC_MAIN_SCHEDULED_RADIO);
    nextAnswer = IDNO;
    for (int i = 0; i < 59; ++i)
        Tick();
    EXPECT_FALSE(ControlVisible(window, IDC_MAIN_MINUTES));
    EXPECT_TRUE(MinutesEnabled());
    SendCommand(window, IDC_MAIN_INTERVAL_RADIO);
    EXPECT_TRUE(MinutesEnabled());
}

}  // namespace
