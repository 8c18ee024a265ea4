#include <gtest/gtest.h>

#include "e2e/driver.h"
#include "support/usage_text.h"

namespace {

// Control and command ids of the main window, as the user reaches them.
const int kScheduledRadio = 1004;
const int kIntervalRadio = 1005;
const int kTaskList = 1007;
const int kExecute = 1018;
const int kTaskCountdown = 1029;
const int kSoundPath = 1033;
const int kMinutes = 1036;
const int kStartInterval = 1030;
const int kUsageMenu = 40001;

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearExpectedModals();
        ASSERT_TRUE(StartProgram(&program)) << "main window did not show";
        window = program.mainWindow;
    }
    void TearDown() override { KillProgram(&program); }
    Program program = {};
    HWND window = NULL;
};

bool MainHidden(Program *p) { return !IsWindowVisible(p->mainWindow); }
bool MainShown(Program *p) { return IsWindowVisible(p->mainWindow) != FALSE; }
bool IntervalShown(Program *p)
{
    return ItemVisible(p->mainWindow, kMinutes) && !ItemVisible(p->mainWindow, kTaskList);
}
bool ScheduledShown(Program *p)
{
    return ItemVisible(p->mainWindow, kTaskList) && !ItemVisible(p->mainWindow, kMinutes);
}

TEST_F(ProgramTest, StartUpCloseTrayAndPanels)
{
    EXPECT_EQ(BST_CHECKED, ButtonCheck(window, kScheduledRadio));
    EXPECT_TRUE(ScheduledShown(&program));
    EXPECT_TRUE(ItemEnabled(window, kExecute));
    EXPECT_FALSE(ItemEnabled(window, kMinutes));
    EXPECT_EQ("设置提示音文件路径,点击右边选择文件", ItemText(window, kSoundPath));
    EXPECT_EQ("0天0时0分0秒", ItemText(window, kTaskCountdown));
    EXPECT_TRUE(TrayIconExists(window));

    // Closing only hides; the tray's left press shows it again.
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil(&program, MainHidden));
    EXPECT_TRUE(TrayIconExists(window));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(program.process.hProcess, 0));
    PostMessageA(window, kTrayNotify, 0, WM_LBUTTONDOWN);
    ASSERT_TRUE(WaitUntil(&program, MainShown));

    ClickButton(window, kIntervalRadio);
    ASSERT_TRUE(WaitUntil(&program, IntervalShown));
    EXPECT_EQ(BST_CHECKED, ButtonCheck(window, kIntervalRadio));
    EXPECT_TRUE(ItemEnabled(window, kMinutes));
    EXPECT_TRUE(ItemEnabled(window, kStartInterval));
    EXPECT_FALSE(ItemEnabled(window, kExecute));

    ClickButton(window, kScheduledRadio);
    ASSERT_TRUE(WaitUntil(&program, ScheduledShown));
    EXPECT_FALSE(ItemEnabled(window, kMinutes));

    EXPECT_EQ(0, ExitProgramByCommand(&program));
}

HWND WaitForUsageBox(Program *program)
{
    ExpectModal("使用说明");
    HWND box = WaitForProgramWindow(program, "#32770", "使用说明");
    EXPECT_TRUE(box != NULL) << "no usage box";
    return box;
}

TEST_F(ProgramTest, UsageFromTheMenuBarAndFromTheTray)
{
    PostCommand(window, kUsageMenu);
    HWND box = WaitForUsageBox(&program);
    ASSERT_TRUE(box);
    EXPECT_EQ(ExpectedUsageText(), ItemText(box, 0xFFFF));
    EXPECT_TRUE(GetDlgItem(box, IDOK) != NULL);
    EXPECT_TRUE(GetDlgItem(box, IDCANCEL) == NULL);
    PostCommand(box, IDOK);
    ASSERT_TRUE(WaitForWindowGone(box));
    EXPECT_TRUE(IsWindowVisible(window));

    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil(&program, MainHidden));
    PostMessageA(window, kTrayNotify, 0, WM_RBUTTONDOWN);
    HWND menu = WaitForProgramWindow(&program, "#32768", "");
    ASSERT_TRUE(menu) << "tray menu did not open";
    ChooseMenuItem(menu, 0);
    box = WaitForUsageBox(&program);
    ASSERT_TRUE(box);
    EXPECT_EQ(ExpectedUsageText(), ItemText(box, 0xFFFF));
    EXPECT_FALSE(IsWindowVisible(window));
    PostCommand(box, IDOK);
    ASSERT_TRUE(WaitForWindowGone(box));

    EXPECT_EQ(0, ExitProgramByCommand(&program));
}

TEST_F(ProgramTest, TrayExitWhileHiddenEndsWithStatusZero)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil(&program, MainHidden));
    PostMessageA(window, kTrayNotify, 0, WM_RBUTTONDOWN);
    HWND menu = WaitForProgramWindow(&program, "#32768", "");
    ASSERT_TRUE(menu) << "tray menu did not open";
    ChooseMenuItem(menu, 1);
    EXPECT_EQ(0, WaitForExit(&program));
    EXPECT_FALSE(TrayIconExists(window));
}

}  // namespace

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        fprintf(stderr, "usage: e2e_driver [gtest flags] path/to/zelbrin.exe\n");
        return 2;
    }
    SetProgramPath(argv[1]);
    return RUN_ALL_TESTS();
}
