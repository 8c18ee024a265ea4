#include <gtest/gtest.h>
#include <math.h>
#include <stdio.h>

#include <algorithm>

#include "e2e/driver.h"

#include <shellapi.h>

namespace {

// A no-op NIM_MODIFY succeeds only while the icon exists.
bool TrayIcon(DWORD message = NIM_MODIFY)
{
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = mainWindow;
    return Shell_NotifyIconA(message, &icon) != FALSE;
}

std::string Label(const std::string &name, const SYSTEMTIME &t)
{
    char label[512];
    wsprintfA(label, "%s  —  %d-%d-%d | %02d:%02d", name.c_str(), t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute);
    return label;
}

HWND OpenDetails(int item, HWND besides)
{
    SendDlgItemMessageA(mainWindow, 1007, LB_SETCURSEL, item, 0);
    Click(mainWindow, 1019);
    return WaitWindow("任务详情", 15000, "#32770", besides);
}

TEST(Program, LivesInTheTrayTakesBadInputAndEndsOnlyByExit)
{
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    ASSERT_TRUE(StartProgram());
    EXPECT_TRUE(TrayIcon());
    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitGone(mainWindow));
    EXPECT_EQ(-1, ExitStatus(0));
    TrayIcon(NIM_DELETE);  // what an Explorer restart does to it
    SendMessageA(mainWindow, taskbarCreated, 0, 0);
    EXPECT_TRUE(TrayIcon());

    POINT cursor;
    GetCursorPos(&cursor);
    PostMessageA(mainWindow, WM_USER + 5, 0, WM_RBUTTONDOWN);
    HWND menu = WaitWindow("*", 15000, "#32768");
    ASSERT_TRUE(menu);
    RECT rect;
    GetWindowRect(menu, &rect);
    EXPECT_TRUE(rect.right == cursor.x && rect.top == cursor.y);
    PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    HWND usage = WaitWindow("使用说明");
    ASSERT_TRUE(usage);
    std::string text = Text(usage, 0xFFFF);
    EXPECT_EQ(0u, text.find("ZelbrinV1.0 （把握时间，不让它与你擦肩而过~）\n\n-----"));
    std::string last = "\n\n【注意】窗口关闭后程序自动在后台运行，右键托盘图标->[退出]结束程序，左键托盘图标显示窗口";
    EXPECT_EQ(text.size() - last.size(), text.rfind(last));
    EXPECT_FALSE(IsWindowVisible(mainWindow));
    Post(usage, IDOK);
    PostMessageA(mainWindow, WM_USER + 5, 0, WM_LBUTTONDOWN);
    ASSERT_TRUE(WaitWindow("ZelbrinV1.0"));

    // Fields of 1,000 characters are cut; a 101st task is refused.
    SYSTEMTIME now, base = {};
    GetLocalTime(&now);
    base.wYear = now.wYear + 1, base.wMonth = 3, base.wDay = 1;
    std::string longText(1000, 'x');
    HWND add = OpenAddDialog(longText, base, longText);
    SetText(add, 1015, longText);
    Post(add, 1000);
    ASSERT_TRUE(WaitGone(add));
    for (int i = 1; i < 100; ++i)
        ASSERT_TRUE(AddTask("t" + std::to_string(i), Plus(base, i))) << i;
    Post(OpenAddDialog("one too many", Plus(base, 500)), 1000);
    HWND refusal = WaitWindow("插入失败");
    EXPECT_EQ("任务列表已满，最多可添加100个任务", Text(refusal, 0xFFFF));
    Post(refusal, IDOK);
    std::vector<std::string> items = TaskItems();
    ASSERT_EQ(100u, items.size());
    EXPECT_EQ(Label(std::string(255, 'x'), base), items[0]);

    // Two details dialogs at once, closed in either order: each edits its own task.
    HWND first = OpenDetails(0, NULL), second = OpenDetails(1, first);
    EXPECT_EQ(std::string(259, 'x') + std::string(259, 'x') + "t1!", Text(first, 1030) + Text(first, 1015) + Text(second, 1015));
    SetText(first, 1018, "甲");
    SetText(second, 1018, "乙");
    Post(first, 1000);
    Post(second, 1000);
    ASSERT_TRUE(WaitGone(first) && WaitGone(second));
    first = OpenDetails(0, NULL), second = OpenDetails(1, first);
    SetText(first, 1018, "丙");
    SetText(second, 1018, "丁");
    Post(second, 1000);
    Post(first, 1013);
    ASSERT_TRUE(WaitGone(first) && WaitGone(second));
    items = TaskItems();
    EXPECT_EQ(Label("甲", base) + Label("丁", Plus(base, 1)), items[0] + items[1]);

    // "退出" while a box is open ends the program once the box closes, and a
    // taskbar re-created meanwhile must not bring the icon back.
    Post(mainWindow, 40001);
    usage = WaitWindow("使用说明");
    SendMessageA(mainWindow, WM_COMMAND, 9999, 0);
    SendMessageA(mainWindow, taskbarCreated, 0, 0);
    EXPECT_FALSE(TrayIcon());
    EXPECT_EQ(-1, ExitStatus(0));
    Post(usage, IDOK);
    EXPECT_EQ(0, ExitStatus());
}

long long EpochMs()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return (((static_cast<long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime) - 116444736000000000LL) / 10000;
}

// The loudest quarter second of the null sink's recording (44.1 kHz, 16-bit
// stereo, started at the time in "start") in the 2 s after a moment.
double Loudest(const std::string &folder, long long fromMs)
{
    long long startMs = 0;
    FILE *file = fopen((folder + "\\start").c_str(), "r");
    fscanf(file, "%lld", &startMs);
    fclose(file);
    file = fopen((folder + "\\sound.raw").c_str(), "rb");
    fseek(file, static_cast<long>((fromMs - startMs) * 441 / 10) * 4, SEEK_SET);
    double loudest = 0;
    for (int chunk = 0; chunk < 8; ++chunk) {
        short samples[2 * 11025];
        size_t count = fread(samples, sizeof samples[0], 2 * 11025, file);
        double sum = 0;
        for (size_t i = 0; i < count; ++i)
            sum += samples[i] / 32768.0 * samples[i] / 32768.0;
        loudest = std::max(loudest, count ? sqrt(sum / count) : 0.0);
    }
    fclose(file);
    return loudest;
}

void WaitUntil(long long seconds)
{
    for (SYSTEMTIME now; GetLocalTime(&now), Seconds(now) < seconds;)
        Sleep(100);
}

// In real time, with mp3s of a 5 s tone at a path with blanks: a task and
// the interval ring with both boxes open, the first box stays open past the
// next task's minute, and that task still rings when it closes.
TEST(Alarms, BothModesRingAndAMissedTaskStillRingsAndAllAreHeard)
{
    const char *folder = getenv("ZELBRIN_SOUND_DIR");
    ASSERT_TRUE(folder) << "run through tests/e2e/alarms.sh";
    const std::string sounds = std::string(folder) + "\\sound dir\\";
    ASSERT_TRUE(StartProgram());
    SYSTEMTIME now;
    GetLocalTime(&now);
    const SYSTEMTIME due = Plus(now, now.wSecond < 50 ? 1 : 2);
    ASSERT_TRUE(AddTask("第一", due, sounds + "alarm tone.mp3"));
    ASSERT_TRUE(AddTask("第二", Plus(due, 1), sounds + "alarm tone.mp3"));
    Click(mainWindow, 1018);
    SetText(mainWindow, 1036, "1");
    SetText(mainWindow, 1016, "休息");
    SetText(mainWindow, 1015, "看远处");
    SetText(mainWindow, 1033, sounds + "interval tone.mp3");
    WaitUntil(Seconds(due) - 54);  // it rings once the task's tone has ended
    Post(mainWindow, 1030);

    HWND task = WaitWindow("第一", 80000);
    long long taskRang = EpochMs();
    HWND interval = WaitWindow("休息", 80000);
    long long intervalRang = EpochMs();
    ASSERT_TRUE(task && interval && IsWindowVisible(task));
    EXPECT_EQ("第一!|看远处\n\n[确定]继续计时，[取消]退出计时", Text(task, 0xFFFF) + "|" + Text(interval, 0xFFFF));
    Sleep(3000);
    Post(interval, IDNO);
    ASSERT_TRUE(WaitGone(interval));
    long long intervalClosed = EpochMs();

    WaitUntil(Seconds(due) + 121);
    Post(task, IDOK);
    HWND missed = WaitWindow("第二", 2500);
    long long missedRang = EpochMs();
    ASSERT_TRUE(missed) << "the task whose minute passed meanwhile did not ring";
    Sleep(3000);
    Post(missed, IDOK);
    ASSERT_TRUE(WaitGone(missed));
    long long missedClosed = EpochMs();
    EXPECT_TRUE(TaskItems().empty());
    EXPECT_EQ("0天0时0分0秒|0分0秒", Text(mainWindow, 1029) + "|" + Text(mainWindow, 1035));
    Sleep(2500);
    EXPECT_GT(Loudest(folder, taskRang + 300), 0.05);
    EXPECT_GT(Loudest(folder, intervalRang + 300), 0.05);
    EXPECT_LT(Loudest(folder, intervalClosed + 700), 0.003);
    EXPECT_GT(Loudest(folder, missedRang + 300), 0.05);
    EXPECT_LT(Loudest(folder, missedClosed + 700), 0.003);
    Post(mainWindow, 9999);
    EXPECT_EQ(0, ExitStatus());
}

}  // namespace

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    programPath = argc > 1 ? argv[1] : "";
    std::replace(programPath.begin(), programPath.end(), '/', '\\');
    programPath = programPath[0] == '\\' ? "Z:" + programPath : programPath;
    int status = RUN_ALL_TESTS();
    TerminateProcess(program.hProcess, 1);
    return status;
}
