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
const long kSecond = 44100 * 2;  // samples: 44.1 kHz, 16-bit stereo

// RMS of the recording's second from 0.5 s on; NAN if it is not there in 10 s.
double LoudnessSoon()
{
    static short samples[kSecond];
    FILE *file = fopen(recording.c_str(), "rb");
    fseek(file, 0, SEEK_END);
    long from = (ftell(file) & ~3L) + kSecond;
    size_t count = 0;
    for (int i = 0; i < 1000 && count < kSecond; ++i) {
        Sleep(10);
        fseek(file, from, SEEK_SET);
        count = fread(samples, sizeof samples[0], kSecond, file);
    }
    fclose(file);
    double sum = 0;
    for (size_t i = 0; i < count; ++i)
        sum += samples[i] * static_cast<double>(samples[i]);
    return count == kSecond ? sqrt(sum / count) / 32768 : NAN;
}

// In real time, with one mp3 at a path with blanks for both modes: both
// alarms ring on top of everything and are heard apart. Then the program
// lives on in the tray, and "退出" ends it at once under two open windows.
TEST(Program, RingsLivesInTheTrayAndExitsAtOnce)
{
    const char *folder = getenv("ZELBRIN_SOUND_DIR");
    ASSERT_TRUE(folder) << "run through tests/e2e/run.sh";
    programPath = getenv("ZELBRIN_EXE");  // a Unix path is one on drive Z:
    ASSERT_TRUE(StartProgram());
    recording = std::string(folder) + "\\sound.raw";
    const std::string tone = std::string(folder) + "\\sound dir\\alarm tone.mp3";
    SetText(mainWindow, 1036, "1");
    SetText(mainWindow, 1016, "隔时");
    SetText(mainWindow, 1033, tone);
    SYSTEMTIME now;
    GetLocalTime(&now);
    // Due at least 68 s from now: the interval's minute runs out first.
    ASSERT_TRUE(AddTask("定时", Plus(now, now.wSecond < 50 ? 2 : 3), tone));
    Post(mainWindow, 1018);
    Post(mainWindow, 1030);
    HWND interval = WaitWindow("隔时", 80000);
    ASSERT_TRUE(interval);
    EXPECT_GT(LoudnessSoon(), 0.3);  // the tone starts loud, then goes on at 0.14
    EXPECT_TRUE(GetWindowLongA(interval, GWL_EXSTYLE) & WS_EX_TOPMOST);
    // The task rings inside the interval's box, so its box returns first.
    HWND task = WaitWindow("定时", 80000);
    ASSERT_TRUE(task);
    EXPECT_GT(LoudnessSoon(), 0.3) << "the task's alarm plays nothing";
    EXPECT_TRUE(GetWindowLongA(task, GWL_EXSTYLE) & WS_EX_TOPMOST);
    Post(task, IDOK);
    ASSERT_TRUE(WaitGone(task));
    EXPECT_GT(LoudnessSoon(), 0.05) << "closing one alarm silenced the other";
    Post(interval, IDNO);
    ASSERT_TRUE(WaitGone(interval));
    EXPECT_LT(LoudnessSoon(), 0.003) << "a sound went on after its box closed";

    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitGone(mainWindow));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(program.hProcess, 0)) << "closing ended the program";
    EXPECT_TRUE(TrayIcon());
    TrayIcon(NIM_DELETE);  // what a restart of Explorer does
    ASSERT_FALSE(TrayIcon());
    Send(mainWindow, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(TrayIcon());
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
}

}  // namespace
