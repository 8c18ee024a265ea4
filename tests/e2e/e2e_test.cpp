#include <gtest/gtest.h>
#include <math.h>
#include <stdio.h>

#include "support/driver.h"

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

std::string recording;
const long kBytesPerSecond = 44100 * 4;  // 44.1 kHz, 16-bit stereo

long RecordedBytes()
{
    FILE *file = fopen(recording.c_str(), "rb");
    fseek(file, 0, SEEK_END);
    long end = ftell(file) & ~3L;
    fclose(file);
    return end;
}

// RMS of the recording's bytes from `from` on; NAN if they are not there in 10 s.
double Loudness(long from, long bytes)
{
    static short samples[kBytesPerSecond / 2];
    const size_t wanted = bytes / sizeof samples[0];
    size_t count = 0;
    for (int i = 0; i < 1000 && count < wanted; ++i) {
        Sleep(10);
        FILE *file = fopen(recording.c_str(), "rb");
        fseek(file, from, SEEK_SET);
        count = fread(samples, sizeof samples[0], wanted, file);
        fclose(file);
    }
    double sum = 0;
    for (size_t i = 0; i < count; ++i)
        sum += samples[i] * static_cast<double>(samples[i]);
    return count == wanted ? sqrt(sum / count) / 32768 : NAN;
}

// The second from 0.5 s on.
double LoudnessSoon()
{
    return Loudness(RecordedBytes() + kBytesPerSecond / 2, kBytesPerSecond);
}

// Seconds from the byte `from` until a 20 ms stretch is quieter than `level`;
// NAN if none is within 3 s.
double SecondsUntilBelow(long from, double level)
{
    const long stretch = kBytesPerSecond / 50;
    for (long at = from; at < from + 3 * kBytesPerSecond; at += stretch) {
        if (Loudness(at, stretch) < level)
            return static_cast<double>(at - from) / kBytesPerSecond;
    }
    return NAN;
}

// Milliseconds from `start` until `done` holds; 5000 if it never does.
long MillisecondsUntil(DWORD start, bool (*done)())
{
    while (!done() && GetTickCount() - start < 5000)
        Sleep(5);
    return static_cast<long>(GetTickCount() - start);
}

// Each box is on top of everything, with no owner: a taskbar button of its own.
void ExpectAlarmBoxShape(HWND box)
{
    EXPECT_TRUE(GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(NULL, GetWindow(box, GW_OWNER));
}

// Presses a button the box shows; returns the tick count it was pressed at.
DWORD Press(HWND box, int button)
{
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(box, button))) << "the box has no button " << button;
    DWORD now = GetTickCount();
    Post(box, button);
    return now;
}

// In real time, with the window hidden in the tray: the interval rings, a
// task rings over it, and each box, answered oldest first, ends its own alarm
// at once: its tone (the interval's loud, the task's soft) stops, and its
// mode goes on. Then the program lives on in the tray, and "退出" ends it at
// once under the next task's box and two more open windows.
TEST(Program, RingsLivesInTheTrayAndExitsAtOnce)
{
    const char *folder = getenv("ZELBRIN_SOUND_DIR");
    ASSERT_TRUE(folder) << "run through tests/e2e/run.sh";
    programPath = getenv("ZELBRIN_EXE");  // a Unix path is one on drive Z:
    ASSERT_TRUE(StartProgram());
    recording = std::string(folder) + "\\sound.raw";
    SetText(mainWindow, 1036, "1");
    SetText(mainWindow, 1016, "隔时");
    SetText(mainWindow, 1033, std::string(folder) + "\\sound dir\\interval tone.mp3");
    SYSTEMTIME now;
    GetLocalTime(&now);
    // Due at least 68 s from now: the interval's minute runs out first.
    // Quoted, as Explorer's "copy as path" gives it.
    const std::string taskTone = "\"" + std::string(folder) + "\\sound dir\\task tone.mp3\"";
    const int dueIn = now.wSecond < 50 ? 2 : 3;
    ASSERT_TRUE(AddTask("定时", Plus(now, dueIn), taskTone));
    ASSERT_TRUE(AddTask("再定时", Plus(now, dueIn + 1), taskTone));
    Post(mainWindow, 1018);
    Post(mainWindow, 1030);
    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitGone(mainWindow));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(program.hProcess, 0)) << "closing ended the program";

    HWND interval = WaitWindow("隔时", 80000);
    ASSERT_TRUE(interval);
    ExpectAlarmBoxShape(interval);
    EXPECT_GT(LoudnessSoon(), 0.3);
    HWND task = WaitWindow("定时", 80000);
    ASSERT_TRUE(task) << "the task waited for the interval's box";
    ExpectAlarmBoxShape(task);
    long mark = RecordedBytes();
    DWORD pressed = Press(interval, IDNO);
    double quiet = SecondsUntilBelow(mark, 0.15);
    long ended =
        MillisecondsUntil(pressed, [] { return IsWindowEnabled(GetDlgItem(mainWindow, 1036)) != 0; });
    printf("interval answered: its tone stops in %.2f s, the count ends in %ld ms\n", quiet, ended);
    EXPECT_LT(quiet, 1.0) << "the interval's tone went on";
    EXPECT_LT(ended, 500) << "the count did not end";
    double alone = LoudnessSoon();
    EXPECT_GT(alone, 0.03) << "the task's tone stopped with the interval's";
    EXPECT_LT(alone, 0.15) << "the interval's tone went on";
    mark = RecordedBytes();
    pressed = Press(task, IDOK);
    quiet = SecondsUntilBelow(mark, 0.003);
    ended = MillisecondsUntil(pressed,
                              [] { return Send(GetDlgItem(mainWindow, 1007), LB_GETCOUNT, 0, 0) == 1; });
    printf("task answered: its tone stops in %.2f s, it leaves the list in %ld ms\n", quiet, ended);
    EXPECT_LT(quiet, 1.0) << "the task's tone went on";
    EXPECT_LT(ended, 500) << "the task stayed in the list";
    EXPECT_LT(LoudnessSoon(), 0.003) << "a sound went on after its box closed";

    EXPECT_TRUE(TrayIcon());
    TrayIcon(NIM_DELETE);  // what a restart of Explorer does
    ASSERT_FALSE(TrayIcon());
    Send(mainWindow, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(TrayIcon());
    ASSERT_TRUE(WaitWindow("再定时", 80000)) << "the countdown did not go on to the next task";
    Post(mainWindow, 1008);
    ASSERT_TRUE(WaitWindow("时间设置"));
    SetCursorPos(400, 300);
    PostMessageA(mainWindow, WM_USER + 5, 0, WM_RBUTTONDOWN);
    HWND menu = WaitWindow("*", 10000, "#32768");
    ASSERT_TRUE(menu);
    RECT place = {};
    GetWindowRect(menu, &place);
    EXPECT_EQ(400, place.right);
    EXPECT_EQ(300, place.top);
    PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    HWND usage = WaitWindow("使用说明");
    ASSERT_TRUE(usage) << "the first item of the menu is not the usage";
    EXPECT_FALSE(GetWindowLongA(usage, GWL_EXSTYLE) & WS_EX_TOPMOST);
    Post(mainWindow, 9999);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(program.hProcess, 1500)) << "still running after 1.5 s";
    DWORD status = 1;
    GetExitCodeProcess(program.hProcess, &status);
    EXPECT_EQ(0u, status);
    EXPECT_FALSE(TrayIcon());
    EXPECT_LT(LoudnessSoon(), 0.003) << "the open alarm's sound outlived the program";
}

}  // namespace
