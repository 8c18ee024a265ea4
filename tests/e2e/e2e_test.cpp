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
// with a soft one as its minute starts. Each box ends its own alarm at once:
// No silences the interval and ends its count while the task plays on; "清空"
// takes the task's box and sound with it. "退出" ends the program at once
// under an add-task dialog and the usage box.
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

    // A read waits while the program opens the alarm's sound: the count ran
    // out before the read that sees it was asked.
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
    EXPECT_GT(LoudnessSoon(), 0.3);
    HWND task = WaitWindow("定时", 80000);
    const int late = MsIntoMinute();
    ASSERT_TRUE(task) << "the task waited for the interval's box";
    printf("the task's box opened %d ms into its minute\n", late);
    EXPECT_LT(late, 200);
    long mark = RecordedBytes();
    DWORD pressed = GetTickCount();
    Post(interval, IDNO);
    double quiet = SecondsUntilBelow(mark, 0.15);
    while (!IsWindowEnabled(GetDlgItem(mainWindow, IDC_MAIN_MINUTES)) && GetTickCount() - pressed < 5000)
        Sleep(5);
    long ended = GetTickCount() - pressed;
    printf("interval answered: its tone stops in %.2f s, the count ends in %ld ms\n", quiet, ended);
    EXPECT_LT(quiet, 1.0) << "the interval's tone went on";
    EXPECT_LT(ended, 500) << "the count did not end";
    double alone = LoudnessSoon();
    EXPECT_GT(alone, 0.03) << "the task's tone stopped with the interval's";
    EXPECT_LT(alone, 0.15) << "the interval's tone went on";
    mark = RecordedBytes();
    Post(mainWindow, IDC_MAIN_CLEAR);
    EXPECT_TRUE(WaitGone(task)) << "the box of a cleared task stayed";
    EXPECT_LT(SecondsUntilBelow(mark, 0.003), 1.0) << "the cleared task's tone went on";

    Post(mainWindow, IDC_MAIN_ADD);
    ASSERT_TRUE(WaitWindow("时间设置"));
    Post(mainWindow, IDM_TRAY_ABOUT);
    ASSERT_TRUE(WaitWindow("使用说明"));
    Post(mainWindow, IDM_TRAY_EXIT);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(program.hProcess, 1500)) << "still running after 1.5 s";
    DWORD status = 1;
    GetExitCodeProcess(program.hProcess, &status);
    EXPECT_EQ(0u, status);
}

}  // namespace
