#include <gtest/gtest.h>

#include <stdio.h>

#include <string>
#include <vector>

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


std::vector<std::string> Numbers(int first, int last, const char *format)
{
    std::vector<std::string> numbers;
    for (int n = first; n <= last; ++n) {
        char text[16];
        wsprintfA(text, format, n);
        numbers.push_back(text);
    }
    return numbers;
}

struct DialogSearch {
    DWORD processId;
    HWND skip[2];
    HWND found;
};

BOOL CALLBACK FindOtherDialog(HWND window, LPARAM param)
{
    DialogSearch *search = reinterpret_cast<DialogSearch *>(param);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (processId == search->processId && window != search->skip[0] && window != search->skip[1] &&
        IsWindowVisible(window) && lstrcmpA(className, "#32770") == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The system's open-file dialog of the program, whatever its caption.
HWND WaitForOpenFileDialog(Program *program, HWND besides)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < kWaitMs) {
        DialogSearch search = {program->process.dwProcessId, {program->mainWindow, besides}, NULL};
        EnumWindows(FindOtherDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(20);
    }
    return NULL;
}

TEST_F(ProgramTest, AddDialogListsAndTheFileChooser)
{
    const int yearList = 1022, monthList = 1023, dayList = 1024, hourList = 1016, minuteList = 1017;
    const int browse = 1025, soundPath = 1026, cancel = 1013;
    SYSTEMTIME now;
    GetLocalTime(&now);

    ExpectModal("时间设置");
    ClickButton(window, 1008);
    HWND dialog = WaitForProgramWindow(&program, "#32770", "时间设置");
    ASSERT_TRUE(dialog) << "no add-task dialog";
    EXPECT_EQ(Numbers(now.wYear, now.wYear + 50, "%d"), ComboItems(dialog, yearList));
    EXPECT_EQ(Numbers(1, 12, "%02d"), ComboItems(dialog, monthList));
    EXPECT_TRUE(ComboItems(dialog, dayList).empty());
    EXPECT_EQ(Numbers(0, 23, "%02d"), ComboItems(dialog, hourList));
    EXPECT_EQ(Numbers(0, 59, "%02d"), ComboItems(dialog, minuteList));
    EXPECT_FALSE(ItemEnabled(dialog, monthList));
    EXPECT_FALSE(ItemEnabled(dialog, dayList));
    EXPECT_EQ("设置提示音文件路径,点击右边选择文件", ItemText(dialog, soundPath));

    SelectComboItem(dialog, yearList, 0);
    EXPECT_TRUE(ItemEnabled(dialog, monthList));
    EXPECT_EQ(30u, ComboItems(dialog, dayList).size());
    SelectComboItem(dialog, monthList, 1);
    EXPECT_TRUE(ItemEnabled(dialog, dayList));
    EXPECT_EQ(now.wYear % 4 == 0 ? 29u : 28u, ComboItems(dialog, dayList).size());

    // "..." opens the system's open-file dialog; cancelling keeps the field.
    ClickButton(dialog, browse);
    HWND chooser = WaitForOpenFileDialog(&program, dialog);
    ASSERT_TRUE(chooser) << "no open-file dialog";
    PostCommand(chooser, IDCANCEL);
    ASSERT_TRUE(WaitForWindowGone(chooser));
    EXPECT_EQ("设置提示音文件路径,点击右边选择文件", ItemText(dialog, soundPath));

    PostCommand(dialog, cancel);
    ASSERT_TRUE(WaitForWindowGone(dialog));
    EXPECT_TRUE(ListBoxItems(window, kTaskList).empty());

    // The interval panel's "..." too.
    ClickButton(window, kIntervalRadio);
    ASSERT_TRUE(WaitUntil(&program, IntervalShown));
    ClickButton(window, 1034);
    chooser = WaitForOpenFileDialog(&program, NULL);
    ASSERT_TRUE(chooser) << "no open-file dialog";
    PostCommand(chooser, IDCANCEL);
    ASSERT_TRUE(WaitForWindowGone(chooser));
    EXPECT_EQ("设置提示音文件路径,点击右边选择文件", ItemText(window, kSoundPath));

    EXPECT_EQ(0, ExitProgramByCommand(&program));
}

std::string alarmCaption;
HWND alarmBox;

bool AlarmBoxShown(Program *p)
{
    alarmBox = FindProgramWindow(p, "#32770", alarmCaption);
    return alarmBox != NULL;
}

bool CountdownRunning(Program *p)
{
    return ItemText(p->mainWindow, kTaskCountdown) != "0天0时0分0秒";
}

// Waits in real time for a task due in the next minute or two.
TEST_F(ProgramTest, ScheduledTasksRingInDueOrder)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    // Leave time to add the tasks before the due minute starts.
    SYSTEMTIME soon = LocalTimeAfterMinutes(now, now.wSecond < 45 ? 1 : 2);
    SYSTEMTIME later = LocalTimeAfterMinutes(now, 90);
    SYSTEMTIME farAway = soon;
    farAway.wYear += 2;
    farAway.wMonth = 1;
    farAway.wDay = 1;

    ASSERT_TRUE(AddTask(&program, "远期", "far away", farAway));
    ASSERT_TRUE(AddTask(&program, "稍后", "a bit later", later));
    ASSERT_TRUE(AddTask(&program, "马上", "带上笔记本去开会", soon));
    EXPECT_EQ((std::vector<std::string>{TaskLabel("马上", soon), TaskLabel("稍后", later),
                                        TaskLabel("远期", farAway)}),
              ListBoxItems(window, kTaskList));

    ClickButton(window, kExecute);
    ASSERT_TRUE(WaitUntil(&program, CountdownRunning, 3000));

    alarmCaption = "马上";
    ExpectModal(alarmCaption);
    ASSERT_TRUE(WaitUntil(&program, AlarmBoxShown, 180000)) << "the task did not ring";
    SYSTEMTIME rang;
    GetLocalTime(&rang);
    int delayMs = (rang.wMinute == soon.wMinute ? 0 : 60000) + rang.wSecond * 1000 + rang.wMilliseconds;
    printf("scheduled alarm box %d ms after the start of its due minute\n", delayMs);
    EXPECT_LT(delayMs, 2500);
    EXPECT_EQ("带上笔记本去开会", ItemText(alarmBox, 0xFFFF));

    PostCommand(alarmBox, IDOK);
    ASSERT_TRUE(WaitForWindowGone(alarmBox));
    EXPECT_EQ((std::vector<std::string>{TaskLabel("稍后", later), TaskLabel("远期", farAway)}),
              ListBoxItems(window, kTaskList));
    std::string text = ItemText(window, kTaskCountdown);
    EXPECT_NE("0天0时0分0秒", text);
    Sleep(1100);
    EXPECT_NE(text, ItemText(window, kTaskCountdown)) << "the countdown stopped";

    EXPECT_EQ(0, ExitProgramByCommand(&program));
}

struct TwoBoxes {
    std::string captions[2];
    HWND boxes[2];
    DWORD shownAt[2];
};
TwoBoxes twoBoxes;

bool BothBoxesShown(Program *p)
{
    for (int i = 0; i < 2; ++i) {
        if (!twoBoxes.boxes[i]) {
            twoBoxes.boxes[i] = FindProgramWindow(p, "#32770", twoBoxes.captions[i]);
            if (twoBoxes.boxes[i])
                twoBoxes.shownAt[i] = GetTickCount();
        }
    }
    return twoBoxes.boxes[0] && twoBoxes.boxes[1];
}

const int kIntervalCountdown = 1035;
std::string awaitedText;
bool IntervalTextIs(Program *p) { return ItemText(p->mainWindow, kIntervalCountdown) == awaitedText; }

// Waits in real time: a scheduled task and a one-minute interval ring with
// both boxes open at once, then the interval rings again and is stopped.
TEST_F(ProgramTest, IntervalAndScheduledAlarmsRingTogether)
{
    const int titleEdit = 1016, messageEdit = 1015;
    const std::string prompt = "\n\n[确定]继续计时，[取消]退出计时";
    SYSTEMTIME now;
    GetLocalTime(&now);
    SYSTEMTIME due = LocalTimeAfterMinutes(now, now.wSecond < 40 ? 1 : 2);
    ASSERT_TRUE(AddTask(&program, "定点提醒", "scheduled message", due));
    ClickButton(window, kExecute);

    ClickButton(window, kIntervalRadio);
    ASSERT_TRUE(WaitUntil(&program, IntervalShown));
    SetItemText(window, kMinutes, "1");
    SetItemText(window, titleEdit, "休息一下");
    SetItemText(window, messageEdit, "看看远处");
    ClickButton(window, kStartInterval);
    DWORD started = GetTickCount();
    awaitedText = "0分59秒";
    ASSERT_TRUE(WaitUntil(&program, IntervalTextIs, 2500)) << ItemText(window, kIntervalCountdown);
    EXPECT_FALSE(ItemEnabled(window, kMinutes));

    twoBoxes = TwoBoxes();
    twoBoxes.captions[0] = "定点提醒";
    twoBoxes.captions[1] = "休息一下";
    ExpectModal(twoBoxes.captions[0]);
    ExpectModal(twoBoxes.captions[1]);
    ASSERT_TRUE(WaitUntil(&program, BothBoxesShown, 200000)) << "not both boxes rang";
    printf("interval alarm box %lu ms after start (60 ticks)\n", twoBoxes.shownAt[1] - started);
    EXPECT_TRUE(IsWindowVisible(twoBoxes.boxes[0]) && IsWindowVisible(twoBoxes.boxes[1]));
    EXPECT_EQ("scheduled message", ItemText(twoBoxes.boxes[0], 0xFFFF));
    EXPECT_EQ("看看远处" + prompt, ItemText(twoBoxes.boxes[1], 0xFFFF));
    EXPECT_TRUE(GetDlgItem(twoBoxes.boxes[1], IDYES) && GetDlgItem(twoBoxes.boxes[1], IDNO));
    EXPECT_EQ("0分0秒", ItemText(window, kIntervalCountdown));

    PostCommand(twoBoxes.boxes[0], IDOK);
    PostCommand(twoBoxes.boxes[1], IDYES);
    ASSERT_TRUE(WaitForWindowGone(twoBoxes.boxes[0]));
    ASSERT_TRUE(WaitForWindowGone(twoBoxes.boxes[1]));
    EXPECT_TRUE(ListBoxItems(window, kTaskList).empty());
    ASSERT_TRUE(WaitUntil(&program, IntervalTextIs, 2500));
    EXPECT_FALSE(ItemEnabled(window, kMinutes));

    // The next ring, a minute after the answer: No ends the count.
    twoBoxes = TwoBoxes();
    twoBoxes.captions[0] = twoBoxes.captions[1] = "休息一下";
    ASSERT_TRUE(WaitUntil(&program, BothBoxesShown, 90000)) << "the interval did not ring again";
    PostCommand(twoBoxes.boxes[0], IDNO);
    ASSERT_TRUE(WaitForWindowGone(twoBoxes.boxes[0]));
    awaitedText = "0分0秒";
    ASSERT_TRUE(WaitUntil(&program, IntervalTextIs, 2500));
    EXPECT_TRUE(ItemEnabled(window, kMinutes));
    EXPECT_EQ("看看远处", ItemText(window, messageEdit));

    EXPECT_EQ(0, ExitProgramByCommand(&program));
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
