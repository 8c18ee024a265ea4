#include <gtest/gtest.h>

#include <stdio.h>

#include <string>
#include <vector>

#include "e2e/driver.h"
#include "support/numbers.h"
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
    SaveScreenshot(dialog, "add-task-dialog");

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

// Waits in real time for a task due in the next minute or two. Its sound
// path names no file and has blanks; an add-task dialog is open while it
// rings.
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
    ASSERT_TRUE(AddTask(&program, "马上", "带上笔记本去开会", soon, "C:\\no such folder\\my alarm.mp3"));
    EXPECT_EQ((std::vector<std::string>{TaskLabel("马上", soon), TaskLabel("稍后", later),
                                        TaskLabel("远期", farAway)}),
              ListBoxItems(window, kTaskList));

    // The details dialog on the second task; cancelled.
    const int details = 1019, detailsCancel = 1013, detailsName = 1018;
    SendMessageA(GetDlgItem(window, kTaskList), LB_SETCURSEL, 1, 0);
    ExpectModal("任务详情");
    ClickButton(window, details);
    HWND detailsDialog = WaitForProgramWindow(&program, "#32770", "任务详情");
    ASSERT_TRUE(detailsDialog) << "no details dialog";
    EXPECT_EQ("稍后", ItemText(detailsDialog, detailsName));
    SaveScreenshot(detailsDialog, "task-details");
    PostCommand(detailsDialog, detailsCancel);
    ASSERT_TRUE(WaitForWindowGone(detailsDialog));

    ClickButton(window, kExecute);
    ASSERT_TRUE(WaitUntil(&program, CountdownRunning, 3000));
    SaveScreenshot(window, "main-scheduled");

    SYSTEMTIME added = LocalTimeAfterMinutes(later, 5);
    HWND addDialog = OpenFilledAddDialog(&program, "铃响时添加", "", "", added, true);
    ASSERT_TRUE(addDialog);

    alarmCaption = "马上";
    ExpectModal(alarmCaption);
    ASSERT_TRUE(WaitUntil(&program, AlarmBoxShown, 180000)) << "the task did not ring";
    SYSTEMTIME rang;
    GetLocalTime(&rang);
    int delayMs = (rang.wMinute == soon.wMinute ? 0 : 60000) + rang.wSecond * 1000 + rang.wMilliseconds;
    printf("scheduled alarm box %d ms after the start of its due minute\n", delayMs);
    EXPECT_LT(delayMs, 2500);
    EXPECT_EQ("带上笔记本去开会", ItemText(alarmBox, 0xFFFF));
    SaveScreenshot(alarmBox, "scheduled-alarm");

    PostCommand(alarmBox, IDOK);
    ASSERT_TRUE(WaitForWindowGone(alarmBox));
    EXPECT_EQ((std::vector<std::string>{TaskLabel("稍后", later), TaskLabel("远期", farAway)}),
              ListBoxItems(window, kTaskList));
    PostCommand(addDialog, 1000);
    ASSERT_TRUE(WaitForWindowGone(addDialog));
    EXPECT_EQ((std::vector<std::string>{TaskLabel("稍后", later), TaskLabel("铃响时添加", added),
                                        TaskLabel("远期", farAway)}),
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
    // Out of the way of the other real-time test's window, for the screenshots.
    SetWindowPos(window, NULL, 860, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    SaveScreenshot(window, "interval-counting");

    twoBoxes = TwoBoxes();
    twoBoxes.captions[0] = "定点提醒";
    twoBoxes.captions[1] = "休息一下";
    ExpectModal(twoBoxes.captions[0]);
    ExpectModal(twoBoxes.captions[1]);
    ASSERT_TRUE(WaitUntil(&program, BothBoxesShown, 200000)) << "not both boxes rang";
    for (HWND box : twoBoxes.boxes)
        SetWindowPos(box, NULL, 860, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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

HWND AnswerRefusal(Program *program, const char *caption, std::string *text)
{
    ExpectModal(caption);
    HWND box = WaitForProgramWindow(program, "#32770", caption);
    if (box) {
        *text = ItemText(box, 0xFFFF);
        PostCommand(box, IDOK);
        WaitForWindowGone(box);
    }
    return box;
}

TEST_F(ProgramTest, BadInputIsCutOrRefusedAndNothingIsLost)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    SYSTEMTIME nextYear = now;
    nextYear.wYear += 1;
    nextYear.wMonth = 3;
    nextYear.wDay = 1;
    nextYear.wHour = 0;
    nextYear.wMinute = 0;

    // 1,000 characters in every field: cut at the fields' sizes.
    std::string longText(1000, 'x');
    HWND dialog = OpenFilledAddDialog(&program, longText, longText, longText, nextYear, true);
    ASSERT_TRUE(dialog);
    PostCommand(dialog, 1000);
    ASSERT_TRUE(WaitForWindowGone(dialog));
    std::vector<std::string> items = ListBoxItems(window, kTaskList);
    ASSERT_EQ(1u, items.size());
    EXPECT_EQ(TaskLabel(std::string(255, 'x'), nextYear), items[0]);

    // Month and day left empty.
    dialog = OpenFilledAddDialog(&program, "no date", "", "", nextYear, false);
    ASSERT_TRUE(dialog);
    PostCommand(dialog, 1000);
    std::string text;
    ASSERT_TRUE(AnswerRefusal(&program, "插入失败", &text));
    EXPECT_EQ("任务日期不完整，请选择月和日", text);

    // A hundred tasks, then a 101st.
    for (int i = 1; i < 100; ++i) {
        SYSTEMTIME due = LocalTimeAfterMinutes(nextYear, i);
        ASSERT_TRUE(AddTask(&program, "t" + std::to_string(i), "", due)) << i;
    }
    ASSERT_EQ(100u, ListBoxItems(window, kTaskList).size());
    dialog = OpenFilledAddDialog(&program, "one too many", "", "", LocalTimeAfterMinutes(nextYear, 500), true);
    ASSERT_TRUE(dialog);
    PostCommand(dialog, 1000);
    ASSERT_TRUE(AnswerRefusal(&program, "插入失败", &text));
    EXPECT_EQ("任务列表已满，最多可添加100个任务", text);
    items = ListBoxItems(window, kTaskList);
    ASSERT_EQ(100u, items.size());
    EXPECT_EQ(TaskLabel("t99", LocalTimeAfterMinutes(nextYear, 99)), items[99]);

    // Interval minutes that are no whole number from 1 to 35791394.
    ClickButton(window, kIntervalRadio);
    ASSERT_TRUE(WaitUntil(&program, IntervalShown));
    for (const char *minutes : {"", "0", "-5", "abc", "99999999999"}) {
        SetItemText(window, kMinutes, minutes);
        ClickButton(window, kStartInterval);
        ASSERT_TRUE(AnswerRefusal(&program, "开始失败", &text)) << minutes;
        EXPECT_EQ("请输入1到35791394之间的分钟数", text);
        EXPECT_TRUE(ItemEnabled(window, kMinutes)) << minutes;
        EXPECT_EQ("0分0秒", ItemText(window, 1035));
    }

    // Explorer re-creates the taskbar while the window is hidden.
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil(&program, MainHidden));
    RemoveTrayIcon(window);
    ASSERT_FALSE(TrayIconExists(window));
    SendMessageA(window, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(TrayIconExists(window));

    EXPECT_EQ(100u, ListBoxItems(window, kTaskList).size());
    EXPECT_EQ(0, ExitProgramByCommand(&program));
}

// Milliseconds since 1970, as the shell's clock counts them.
long long EpochMs()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER ticks;
    ticks.LowPart = now.dwLowDateTime;
    ticks.HighPart = now.dwHighDateTime;
    return static_cast<long long>((ticks.QuadPart - 116444736000000000ULL) / 10000);
}

long long Seconds(const SYSTEMTIME &time)
{
    FILETIME file;
    SystemTimeToFileTime(&time, &file);
    ULARGE_INTEGER ticks;
    ticks.LowPart = file.dwLowDateTime;
    ticks.HighPart = file.dwHighDateTime;
    return static_cast<long long>(ticks.QuadPart / 10000000);
}

HWND awaitedBox;
std::string awaitedCaption;
bool AwaitedBoxShown(Program *p)
{
    awaitedBox = FindProgramWindow(p, "#32770", awaitedCaption);
    return awaitedBox != NULL;
}

// Keeps the box open three seconds, closes it, and notes both moments.
void HoldBox(Program *program, const std::string &caption, int answer, FILE *timeline)
{
    awaitedCaption = caption;
    ExpectModal(caption);
    ASSERT_TRUE(WaitUntil(program, AwaitedBoxShown, 150000)) << caption << " did not ring";
    fprintf(timeline, "%s open %lld\n", caption.c_str(), EpochMs());
    Sleep(3000);
    PostCommand(awaitedBox, answer);
    ASSERT_TRUE(WaitForWindowGone(awaitedBox));
    fprintf(timeline, "%s close %lld\n", caption.c_str(), EpochMs());
    fflush(timeline);
}

// Run by tests/e2e/audio_test.sh, which makes the mp3 and records what the
// sound server plays; here the two alarms ring one after the other.
TEST_F(ProgramTest, AlarmsPlayTheirSound)
{
    const char *mp3 = getenv("ZELBRIN_AUDIO_MP3");
    const char *timelinePath = getenv("ZELBRIN_TIMELINE");
    if (!mp3 || !timelinePath)
        GTEST_SKIP() << "run through tests/e2e/audio_test.sh";
    FILE *timeline = fopen(timelinePath, "w");
    ASSERT_TRUE(timeline);

    SYSTEMTIME now;
    GetLocalTime(&now);
    SYSTEMTIME due = LocalTimeAfterMinutes(now, now.wSecond <= 10 ? 1 : 2);
    ASSERT_TRUE(AddTask(&program, "scheduled", "scheduled", due, mp3));
    ClickButton(window, kExecute);

    // The interval starts so that it rings some 15 s after the task.
    ClickButton(window, kIntervalRadio);
    ASSERT_TRUE(WaitUntil(&program, IntervalShown));
    SetItemText(window, kMinutes, "1");
    SetItemText(window, 1016, "interval");
    SetItemText(window, kSoundPath, mp3);
    for (;;) {
        SYSTEMTIME t;
        GetLocalTime(&t);
        if (Seconds(due) - Seconds(t) <= 45)
            break;
        Sleep(200);
    }
    ClickButton(window, kStartInterval);

    HoldBox(&program, "scheduled", IDOK, timeline);
    HoldBox(&program, "interval", IDNO, timeline);
    fclose(timeline);
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
