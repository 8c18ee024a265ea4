#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>

#include "app/main_dialog.h"
#include "res/resource.h"
#include "schedule/task_table.h"
#include "sound/sound.h"
#include "support/main_window.h"
#include "support/modal_answerer.h"
#include "support/usage_text.h"
#include "ui/panels.h"

namespace {

const int kScheduledInputs[] = {1007, 1008, 1009, 1010, 1017, 1018, 1019, 1020};
const int kScheduledShowOnly[] = {1037, 1038, 1029};
const int kIntervalInputs[] = {1036, 1016, 1015, 1033, 1034, 1030, 1031};
const int kIntervalShowOnly[] = {1040, 1039, 1042, 1044, 1041, 1045, 1046, 1035};

class MainDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        intervalRunning = 0;
        StartAnsweringModals();
        window = CreateMainWindow();
        ASSERT_TRUE(window != NULL);
    }
    void TearDown() override
    {
        DestroyMainWindow(window);
        StopAnsweringModals();
    }
    HWND window = NULL;
};

TEST_F(MainDialogTest, StartsInScheduledModeWithTheIntervalPanelHiddenAndDisabled)
{
    char caption[64];
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ("ZelbrinV1.0", caption);
    EXPECT_TRUE(GetMenu(window) != NULL);

    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(window, IDC_MAIN_SCHEDULED_RADIO));
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(window, IDC_MAIN_INTERVAL_RADIO));
    for (int id : kScheduledInputs) {
        EXPECT_TRUE(ControlVisible(window, id)) << id;
        EXPECT_TRUE(ControlEnabled(window, id)) << id;
    }
    for (int id : kScheduledShowOnly)
        EXPECT_TRUE(ControlVisible(window, id)) << id;
    for (int id : kIntervalInputs) {
        EXPECT_FALSE(ControlVisible(window, id)) << id;
        EXPECT_FALSE(ControlEnabled(window, id)) << id;
    }
    for (int id : kIntervalShowOnly) {
        EXPECT_FALSE(ControlVisible(window, id)) << id;
        EXPECT_TRUE(ControlEnabled(window, id)) << id;
    }
    EXPECT_EQ(SOUND_HINT, ControlText(window, IDC_MAIN_SOUND_PATH));
    EXPECT_EQ(35u, strlen(SOUND_HINT));
    EXPECT_EQ("0天0时0分0秒", ControlText(window, IDC_MAIN_TASK_COUNTDOWN));
    EXPECT_EQ("0分0秒", ControlText(window, IDC_MAIN_INTERVAL_COUNTDOWN));
    EXPECT_TRUE(TrayIconExists(window));
    EXPECT_EQ(GetModuleHandleA(NULL), ProgramInstance());
}

TEST(MainDialogInit, ZeroesTheTaskSlotsButLeavesLastIndexAlone)
{
    taskTable.lastIndex = -1;
    taskTable.slots[3].name[0] = 'x';
    HWND window = CreateMainWindow();
    EXPECT_EQ(0, taskTable.slots[3].name[0]);
    EXPECT_EQ(-1, taskTable.lastIndex);
    DestroyMainWindow(window);
}

TEST_F(MainDialogTest, StandardAndUnknownCommandsAndNotificationsDoNothing)
{
    const int ids[] = {IDOK, IDCANCEL, 0, 3, 1006, 1011, 1050, 8887, 40002, 65535,
                       IDC_MAIN_TASK_LIST, IDC_MAIN_MINUTES, IDC_MAIN_TITLE, IDC_MAIN_MESSAGE,
                       IDC_MAIN_SOUND_PATH};
    for (int id : ids) {
        SendCommand(window, id, 0);
        SendCommand(window, id, LBN_DBLCLK);
        SendCommand(window, id, EN_CHANGE);
    }
    PumpMessages();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(TrayIconExists(window));
    EXPECT_TRUE(ModalsSeen().empty());
    EXPECT_TRUE(ControlVisible(window, IDC_MAIN_TASK_LIST));
}

TEST_F(MainDialogTest, ACloseRequestOnlyHidesTheWindow)
{
    SendMessageA(window, WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(TrayIconExists(window));

    // A system-menu close takes the same road.
    ShowWindow(window, SW_SHOWNORMAL);
    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpMessages();
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(TrayIconExists(window));
}

TEST_F(MainDialogTest, UsageBoxFromTheMenuBarAndTheTrayShowsTheSameText)
{
    const std::string expected = ExpectedUsageText();
    ASSERT_EQ(std::string(USAGE_TEXT), expected);
    EXPECT_EQ(std::string::npos, expected.find('\r'));
    EXPECT_EQ(23, std::count(expected.begin(), expected.end(), '\n'));
    // Full-width punctuation is double-byte, the ASCII bits single-byte.
    EXPECT_EQ(0, expected.compare(0, 14, "ZelbrinV1.0 \xA3\xA8"));

    SendCommand(window, IDM_USAGE, 0);
    ShowWindow(window, SW_HIDE);
    SendCommand(window, IDM_TRAY_ABOUT, 0);
    PumpMessages();

    ASSERT_EQ(2u, ModalsSeen().size());
    for (const ModalSeen &box : ModalsSeen()) {
        EXPECT_EQ("使用说明", box.caption);
        EXPECT_EQ(expected, box.text);
    }
    // From the tray the box shows on its own: the hidden window stays hidden.
    EXPECT_FALSE(IsWindowVisible(window));
}

}  // namespace
