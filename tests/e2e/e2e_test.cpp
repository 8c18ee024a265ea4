#include <gtest/gtest.h>
#include <math.h>
#include <stdio.h>

#include "support/driver.h"

#include <shellapi.h>

std::string recording;
const long kBytesPerSecond = 44100 * 4;  // 44.1 kHz, 16-bit stereo

// RMS of `bytes` of the recording, `skip` bytes after its end; NAN if not there in 10 s.
double Loudness(long skip, long bytes)
{
    FILE *file = fopen(recording.c_str(), "rb");
    fseek(file, 0, SEEK_END);
    const long from = (ftell(file) & ~3L) + skip;
    static short samples[kBytesPerSecond / 2];
    const size_t wanted = bytes / sizeof samples[0];
    size_t count = 0;
    for (int i = 0; i < 500 && count < wanted; ++i) {
        Sleep(20);
        fseek(file, from, SEEK_SET);
        count = fread(samples, sizeof samples[0], wanted, file);
    }
    fclose(file);
    double sum = 0;
    for (size_t i = 0; i < count; ++i)
        sum += samples[i] * static_cast<double>(samples[i]);
    return count == wanted ? sqrt(sum / count) / 32768 : NAN;
}

// The icon, not `old`, in Wine's own tray (no window manager offers one).
HWND TrayIcon(HWND old = NULL)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; Sleep(10)) {
        HWND tray = FindWindowW(L"__winex11_standalone_tray", NULL);
        HWND icon = tray ? FindWindowExW(tray, NULL, L"__winex11_tray_icon", NULL) : NULL;
        if (icon && icon != old)
            return icon;
    }
    return NULL;
}

// A click, as a user's mouse makes it, amid row `row` of `rows` of the window.
void Click(HWND window, int row, int rows, DWORD down, DWORD up)
{
    RECT at = {};
    GetWindowRect(window, &at);
    const LONG x = (at.left + at.right) / 2 * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    const LONG y = (at.top + (at.bottom - at.top) * (2 * row + 1) / (2 * rows)) * 65535 /
                   (GetSystemMetrics(SM_CYSCREEN) - 1);
    const DWORD moves[] = {MOUSEEVENTF_MOVE, down, up};
    INPUT input[3];
    for (int i = 0; i < 3; ++i)
        input[i] = {INPUT_MOUSE, {{x, y, 0, moves[i] | MOUSEEVENTF_ABSOLUTE, 0, 0}}};
    SendInput(3, input, sizeof input[0]);
}

// A right click on the icon, and its menu's item 0 ("关于") or 1 ("退出"). The tray is put in front
// first, as the click would: without a window manager, Wine does it late, closing the menu.
bool ChooseFromTrayMenu(HWND icon, int item)
{
    SetForegroundWindow(GetParent(icon));
    Sleep(300);
    Click(icon, 0, 1, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    HWND menu = WaitWindow("*", 5000, "#32768");
    Click(menu, item, 2, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    return menu != NULL;
}

// Milliseconds into the local clock's current minute.
int MsIntoMinute()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wSecond * kSecondMs + now.wMilliseconds;
}

// In China's time zone, hidden in the tray: the interval rings loud, its minute kept though the program
// was held 5 s, and a task rings soft over it as its minute starts; No silences the interval alone. The
// icon, clicked, brings the window back and offers "关于"; after a new taskbar it is there again, and
// its "退出" ends the program at once, taking the icon along.
TEST(Program, RingsOnTimeInTheTrayAndExitsAtOnce)
{
    const char *folder = getenv("ZELBRIN_SOUND_DIR");
    ASSERT_TRUE(folder) << "run through tests/e2e/run.sh";
    TIME_ZONE_INFORMATION zone;
    GetTimeZoneInformation(&zone);
    ASSERT_EQ(-8 * 60, zone.Bias) << "not the users' time zone, UTC+8";
    programPath = getenv("ZELBRIN_EXE");  // a Unix path is one on drive Z:
    ASSERT_TRUE(StartProgram());
    HWND icon = TrayIcon();
    ASSERT_TRUE(icon) << "no icon in the tray";
    recording = std::string(folder) + "\\sound.raw";
    const std::string sounds = std::string(folder) + "\\提示音 dir\\";
    SetText(mainWindow, IDC_MAIN_MINUTES, "1");
    SetText(mainWindow, IDC_MAIN_TITLE, "隔时");
    SetText(mainWindow, IDC_MAIN_SOUND_PATH, sounds + "interval tone.mp3");
    // Due 68 s on at least, after the interval's minute; quoted, as "copy as path" gives it.
    ASSERT_TRUE(AddTask("定时", MsIntoMinute() < 50000 ? 2 : 3, "\"" + sounds + "task tone.mp3\""));
    while (MsIntoMinute() % kSecondMs < 500)
        Sleep(1);
    Post(mainWindow, IDC_MAIN_EXECUTE);
    Post(mainWindow, IDC_MAIN_START_INTERVAL);
    const DWORD started = GetTickCount();
    PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitGone(mainWindow));
    // The count shows its first second a tick after "开始计时".
    while (GetTickCount() - started < 3000 && Text(mainWindow, IDC_MAIN_INTERVAL_COUNTDOWN) == "0分0秒")
        Sleep(2);
    SuspendThread(program.hThread);
    Sleep(5000);
    ResumeThread(program.hThread);

    // The count ran out before the read that sees it was asked.
    DWORD asked = started;
    while (GetTickCount() - started < 80000 &&
           Text(mainWindow, IDC_MAIN_INTERVAL_COUNTDOWN) != "0分0秒") {
        Sleep(2);
        asked = GetTickCount();
    }
    EXPECT_NEAR(60.0, (asked - started) / double(kSecondMs), 0.1) << "the interval's minute, held 5 s";
    HWND interval = WaitWindow("隔时");
    ASSERT_TRUE(interval);
    EXPECT_GT(Loudness(kBytesPerSecond / 2, kBytesPerSecond), 0.3);
    ASSERT_TRUE(WaitWindow("定时", 80000)) << "the task's box did not open in its minute";
    EXPECT_LT(MsIntoMinute(), 200) << "ms into its minute as the task's box opened";
    Post(interval, IDNO);
    ASSERT_TRUE(WaitGone(interval));
    Click(icon, 0, 1, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    for (DWORD start = GetTickCount(); !IsWindowVisible(mainWindow) && GetTickCount() - start < 3000;)
        Sleep(10);
    EXPECT_TRUE(IsWindowVisible(mainWindow)) << "a click on the icon did not bring the window back";
    ASSERT_TRUE(ChooseFromTrayMenu(icon, 0));
    HWND usage = WaitWindow("使用说明");
    ASSERT_TRUE(usage) << "关于 showed no usage box";
    Post(usage, IDOK);
    ASSERT_TRUE(WaitGone(usage));

    // A taskbar made anew has no icons until the programs add theirs again.
    NOTIFYICONDATAW gone = {};
    gone.cbSize = sizeof gone;
    gone.hWnd = mainWindow;
    Shell_NotifyIconW(NIM_DELETE, &gone);
    PostMessageW(mainWindow, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    icon = TrayIcon(icon);
    ASSERT_TRUE(icon) << "no icon after a new taskbar";
    Post(mainWindow, IDC_MAIN_ADD);
    HWND add = WaitWindow("时间设置");
    ASSERT_TRUE(add);
    // It opens in the screen's corner, over Wine's tray: dragged aside.
    SetWindowPos(add, NULL, 600, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(ChooseFromTrayMenu(icon, 1));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(program.hProcess, 1500)) << "still running after 1.5 s";
    EXPECT_FALSE(IsWindow(icon)) << "退出 left its icon in the tray";
}
