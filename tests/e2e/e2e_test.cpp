#include <gtest/gtest.h>
#include <math.h>
#include <stdio.h>

#include "support/driver.h"
#include "ui/messages.h"

namespace {

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
    for (int i = 0; i < 500 && count < wanted; ++i) {
        Sleep(20);
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

// Milliseconds into the local clock's current minute.
int MsIntoMinute()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wSecond * kSecondMs + now.wMilliseconds;
}

// On an English Windows, with the window hidden in the tray and the sounds
// in a folder with a Chinese name: the interval rings with a loud tone, its
// minute kept although the program was held for 5 s, and a task rings over it
// with a soft one as its minute starts, though "执行" was pressed half-way
// through a second. No silences the interval while the task plays on. The
// tray icon brings the window back, and "退出" ends the program at once,
// under an add-task dialog.
TEST(Program, RingsOnTimeInTheTrayAndExitsAtOnce)
{
    const char *folder = getenv("ZELBRIN_SOUND_DIR");
    ASSERT_TRUE(folder) << "run through tests/e2e/run.sh";
    programPath = getenv("ZELBRIN_EXE");  // a Unix path is one on drive Z:
    ASSERT_TRUE(StartProgram());
    recording = std::string(folder) + "\\sound.raw";
    const std::string sounds = std::string(folder) + "\\提示音 dir\\";
    SetText(mainWindow, IDC_MAIN_MINUTES, "1");
    SetText(mainWindow, IDC_MAIN_TITLE, "隔时");
    SetText(mainWindow, IDC_MAIN_SOUND_PATH, sounds + "interval tone.mp3");
    SYSTEMTIME now;
    GetLocalTime(&now);
    // Due at least 68 s from now: the interval's minute runs out first.
    // Quoted, as Explorer's "copy as path" gives it.
    ASSERT_TRUE(AddTask("定时", now.wSecond < 50 ? 2 : 3, "\"" + sounds + "task tone.mp3\""));
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
    const double counted = (asked - started) / double(kSecondMs);
    printf("the interval's minute, held back 5 s, ran out after %.3f s\n", counted);
    EXPECT_NEAR(60.0, counted, 0.1);
    HWND interval = WaitWindow("隔时");
    ASSERT_TRUE(interval);
    EXPECT_GT(Loudness(RecordedBytes() + kBytesPerSecond / 2, kBytesPerSecond), 0.3);
    HWND task = WaitWindow("定时", 80000);
    const int late = MsIntoMinute();
    ASSERT_TRUE(task) << "the task waited for the interval's box";
    printf("the task's box opened %d ms into its minute\n", late);
    EXPECT_LT(late, 200);
    const long mark = RecordedBytes();
    Post(interval, IDNO);
    // A second after No, the task's soft tone alone.
    const double after = Loudness(mark + kBytesPerSecond, kBytesPerSecond / 2);
    printf("a second after No, the loudness is %.3f\n", after);
    EXPECT_GT(after, 0.03) << "the task's tone stopped with the interval's";
    EXPECT_LT(after, 0.15) << "the interval's tone went on";
    SendMessageW(mainWindow, WM_TRAYNOTIFY, 0, WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(mainWindow)) << "the tray icon did not bring the window back";

    Post(mainWindow, IDC_MAIN_ADD);
    ASSERT_TRUE(WaitWindow("时间设置"));
    Post(mainWindow, IDM_TRAY_EXIT);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(program.hProcess, 1500)) << "still running after 1.5 s";
    DWORD status = 1;
    GetExitCodeProcess(program.hProcess, &status);
    EXPECT_EQ(0u, status);
}

}  // namespace
