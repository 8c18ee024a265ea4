#include <gtest/gtest.h>
#include <math.h>
#include <stdio.h>

#include <algorithm>

#include "support/driver.h"

#include <shellapi.h>

namespace {

// A no-op NIM_MODIFY succeeds only while the icon exists.
bool TrayIcon(DWORD message = NIM_MODIFY)
{
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE, icon.hWnd = mainWindow;
    return Shell_NotifyIconA(message, &icon) != FALSE;
}

HWND OpenDetails(int item, HWND besides)
{
    SendDlgItemMessageA(mainWindow, 1007, LB_SETCURSEL, item, 0);
    Post(mainWindow, 1019);
    return WaitWindow("任务详情", 15000, "#32770", besides);
}

// Details open on the first two tasks at once; the first has 1,000-char fields.
void RenameBoth(const char *first, const char *second, bool secondClosesFirst, int firstButton)
{
    HWND one = OpenDetails(0, NULL), two = OpenDetails(1, one);
    EXPECT_EQ(std::string(518, 'x'), Text(one, 1030) + Text(one, 1015));
    SetText(one, 1018, first);
    SetText(two, 1018, second);
    Post(secondClosesFirst ? two : one, secondClosesFirst ? 1000 : firstButton);
    Post(secondClosesFirst ? one : two, secondClosesFirst ? firstButton : 1000);
    ASSERT_TRUE(WaitGone(one) && WaitGone(two));
}

TEST(Program, TakesBadInputLivesInTheTrayAndEndsOnlyByExit)
{
    // Fields of 1,000 characters are cut; a 101st task is refused.
    ASSERT_TRUE(StartProgram());
    SYSTEMTIME base = {};
    GetLocalTime(&base);
    base = {WORD(base.wYear + 1), 3, 0, 1, 0, 0, 0, 0};
    ASSERT_TRUE(AddTask(std::string(1000, 'x'), base, std::string(1000, 'x')));
    for (int i = 1; i < 100; ++i)
        ASSERT_TRUE(AddTask("t" + std::to_string(i), Plus(base, i))) << i;
    Post(OpenAddDialog("one too many", Plus(base, 500)), 1000);
    HWND refusal = WaitWindow("插入失败");
    EXPECT_EQ("任务列表已满，最多可添加100个任务", Text(refusal, 0xFFFF));
    Post(refusal, IDOK);
    ASSERT_EQ(100u, ListItems(mainWindow, 1007).size());
    EXPECT_EQ(std::string(255, 'x') + "  —  ", ListItems(mainWindow, 1007)[0].substr(0, 261));
    // Each details dialog edits its own task, whichever closes first.
    RenameBoth("甲", "乙", false, 1000);
    RenameBoth("丙", "丁", true, 1013);
    EXPECT_EQ("甲  —  |丁  —  ", ListItems(mainWindow, 1007)[0].substr(0, 8) + "|" + ListItems(mainWindow, 1007)[1].substr(0, 8));

    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitGone(mainWindow));
    TrayIcon(NIM_DELETE);  // what an Explorer restart does to it
    SendMessageA(mainWindow, taskbarCreated, 0, 0);
    EXPECT_TRUE(TrayIcon());
    RECT menu = {};
    SetCursorPos(400, 300);
    PostMessageA(mainWindow, WM_USER + 5, 0, WM_RBUTTONDOWN);
    HWND menuWindow = WaitWindow("*", 15000, "#32768");
    GetWindowRect(menuWindow, &menu);
    EXPECT_TRUE(menu.right == 400 && menu.top == 300);
    PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
    HWND usage = WaitWindow("使用说明");
    std::string text = Text(usage, 0xFFFF), last = "\n\n【注意】窗口关闭后程序自动在后台运行，右键托盘图标->[退出]结束程序，左键托盘图标显示窗口";
    EXPECT_EQ(0u, text.find("ZelbrinV1.0 （把握时间，不让它与你擦肩而过~）\n\n-----"));
    EXPECT_EQ(text.size() - last.size(), text.rfind(last));
    // "退出" while a box is open ends the program once the box closes, and a
    // taskbar re-created meanwhile must not bring the icon back.
    SendMessageA(mainWindow, WM_COMMAND, 9999, 0);
    SendMessageA(mainWindow, taskbarCreated, 0, 0);
    EXPECT_TRUE(!TrayIcon() && ExitStatus(0) == -1);
    Post(usage, IDOK);
    EXPECT_EQ(0, ExitStatus());
}

std::string recording;

long Recorded()  // bytes so far: the recorder writes as it hears
{
    WIN32_FILE_ATTRIBUTE_DATA file = {};
    GetFileAttributesExA(recording.c_str(), GetFileExInfoStandard, &file);
    return file.nFileSizeLow;
}

// RMS of the second of recording (44.1 kHz 16-bit stereo) from `at` + afterMs.
double Loudness(long at, int afterMs)
{
    static short samples[2 * 44100];
    FILE *file = fopen(recording.c_str(), "rb");
    fseek(file, (at & ~3L) + afterMs * 441 / 10 * 4, SEEK_SET);
    size_t count = fread(samples, sizeof samples[0], 2 * 44100, file);
    fclose(file);
    double sum = 0;
    for (size_t i = 0; i < count; ++i)
        sum += samples[i] * static_cast<double>(samples[i]);
    return count ? sqrt(sum / count) / 32768 : 0;
}

void WaitUntil(long long seconds)
{
    for (SYSTEMTIME now; GetLocalTime(&now), Seconds(now) < seconds;) Sleep(100);
}

// In real time, mp3s of a 5 s tone at a path with blanks: both modes ring at
// once, and a task whose minute passed under an open box still rings.
TEST(Alarms, BothModesRingAndAMissedTaskStillRingsAndAllAreHeard)
{
    const char *folder = getenv("ZELBRIN_SOUND_DIR");
    ASSERT_TRUE(folder && StartProgram()) << "run through tests/e2e/alarms.sh";
    recording = std::string(folder) + "\\sound.raw";
    const std::string sounds = std::string(folder) + "\\sound dir\\";
    SYSTEMTIME now;
    GetLocalTime(&now);
    const SYSTEMTIME due = Plus(now, now.wSecond < 50 ? 1 : 2);
    ASSERT_TRUE(AddTask("第一", due, sounds + "alarm tone.mp3") && AddTask("第二", Plus(due, 1), sounds + "alarm tone.mp3"));
    Post(mainWindow, 1018);
    SetText(mainWindow, 1036, "1");
    SetText(mainWindow, 1016, "休息");
    SetText(mainWindow, 1015, "看远处");
    Post(mainWindow, 1034);
    HWND chooser = WaitWindow("*", 15000, "#32770", mainWindow);
    SetText(chooser, 0x47C, sounds + "interval tone.mp3");
    Post(chooser, IDOK);
    ASSERT_TRUE(WaitGone(chooser));
    WaitUntil(Seconds(due) - 54);  // it rings once the task's tone has ended
    Post(mainWindow, 1030);

    HWND task = WaitWindow("第一", 80000);
    long taskRang = Recorded();
    HWND interval = WaitWindow("休息", 80000);
    long intervalRang = Recorded();
    ASSERT_TRUE(task && interval && IsWindowVisible(task));
    EXPECT_EQ("第一!|看远处\n\n[确定]继续计时，[取消]退出计时", Text(task, 0xFFFF) + "|" + Text(interval, 0xFFFF));
    Sleep(3000);
    Post(interval, IDNO);
    ASSERT_TRUE(WaitGone(interval));
    long intervalClosed = Recorded();
    WaitUntil(Seconds(due) + 121);
    Post(task, IDOK);
    HWND missed = WaitWindow("第二", 2500);
    long missedRang = Recorded();
    ASSERT_TRUE(missed) << "the task whose minute passed meanwhile did not ring";
    Sleep(3000);
    Post(missed, IDOK);
    ASSERT_TRUE(WaitGone(missed));
    long missedClosed = Recorded();
    EXPECT_TRUE(ListItems(mainWindow, 1007).empty());
    EXPECT_EQ("0天0时0分0秒|0分0秒", Text(mainWindow, 1029) + "|" + Text(mainWindow, 1035));
    Sleep(2500);
    EXPECT_GT(std::min({Loudness(taskRang, 300), Loudness(intervalRang, 300), Loudness(missedRang, 300)}), 0.05);
    EXPECT_LT(std::max(Loudness(intervalClosed, 700), Loudness(missedClosed, 700)), 0.003);
}

}  // namespace

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    programPath = argc > 1 ? argv[1] : "";  // a Unix path is one on drive Z:
    int status = RUN_ALL_TESTS();
    TerminateProcess(program.hProcess, 1);
    return status;
}
