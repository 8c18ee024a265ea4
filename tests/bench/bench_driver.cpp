// Measures the real program under Wine: start-up beside a minimal dialog
// program, the state for the idle measurement, and the alarm latencies.
#include <windows.h>

#include <stdio.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/driver.h"

// As a user clicks: a radio button also takes the check.
static void Click(HWND dialog, int id)
{
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

namespace {

double NowMs()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * counter.QuadPart / frequency.QuadPart;
}

struct Shown {
    DWORD processId;
    const char *caption;
    bool found;
};

BOOL CALLBACK FindShown(HWND window, LPARAM param)
{
    Shown *shown = reinterpret_cast<Shown *>(param);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char caption[64] = "";
    if (processId == shown->processId && IsWindowVisible(window) &&
        GetWindowTextA(window, caption, sizeof caption) && lstrcmpA(caption, shown->caption) == 0) {
        shown->found = true;
        return FALSE;
    }
    return TRUE;
}

std::string WindowsPath(std::string path)
{
    if (!path.empty() && path[0] == '/') {
        std::replace(path.begin(), path.end(), '/', '\\');
        path = "Z:" + path;
    }
    return path;
}

// Milliseconds from CreateProcess to the main window being visible.
double StartUpOnce(const std::string &exe, const char *caption)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + exe + "\"";
    double start = NowMs();
    if (!CreateProcessA(exe.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                        &process))
        return -1;
    Shown shown = {process.dwProcessId, caption, false};
    while (!shown.found && NowMs() - start < 30000) {
        EnumWindows(FindShown, reinterpret_cast<LPARAM>(&shown));
        if (!shown.found)
            Sleep(1);
    }
    double elapsed = NowMs() - start;
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return shown.found ? elapsed : -1;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int StartUp(const std::string &zelbrin, const std::string &minimal, int runs)
{
    std::vector<double> program, yardstick;
    for (int i = 0; i < runs; ++i) {
        program.push_back(StartUpOnce(zelbrin, "ZelbrinV1.0"));
        yardstick.push_back(StartUpOnce(minimal, "MinimalDialog"));
    }
    double a = Median(program), b = Median(yardstick);
    printf(
        "start-up (median of %d, process start to visible main window): zelbrin %.0f ms, minimal dialog %.0f ms, ratio %.2f\n",
        runs, a, b, a / b);
    return 0;
}

const int kExecute = 1018, kIntervalRadio = 1005, kMinutes = 1036, kStartInterval = 1030;
const int kIntervalCountdown = 1035, kTitle = 1016;

// Starts the program with one task due that many minutes from now.
bool StartWithTask(const std::string &zelbrin, const char *name, int minutesAhead, SYSTEMTIME *due)
{
    programPath = WindowsPath(zelbrin);
    if (!StartProgram())
        return false;
    SYSTEMTIME now;
    GetLocalTime(&now);
    *due = At((Ms(now) / 60000 + minutesAhead) * 60000);
    return AddTask(name, minutesAhead, "");
}

void StartInterval(const char *minutes)
{
    Click(mainWindow, kExecute);
    Click(mainWindow, kIntervalRadio);
    Sleep(500);
    SetText(mainWindow, kMinutes, minutes);
    SetText(mainWindow, kTitle, "interval");
    Click(mainWindow, kStartInterval);
}

// Both countdowns running, far from any alarm; the shell measures the CPU
// time meanwhile and this ends the program afterwards.
int Idle(const std::string &zelbrin, int seconds)
{
    SYSTEMTIME farAway;
    if (!StartWithTask(zelbrin, "idle", 60 * 24 * 30, &farAway))
        return 1;
    StartInterval("1000");
    Sleep(1500);
    printf("ready %lu\n", program.dwProcessId);
    fflush(stdout);
    Sleep(seconds * 1000);
    Post(mainWindow, 9999);
    DWORD status = 1;
    WaitForSingleObject(program.hProcess, 15000);
    GetExitCodeProcess(program.hProcess, &status);
    return static_cast<int>(status);
}

double MsIntoMinute(const SYSTEMTIME &t, WORD dueMinute)
{
    return (t.wMinute == dueMinute ? 0 : 60000) + t.wSecond * 1000 + t.wMilliseconds;
}

// A task due at the next minute and a one-minute interval, in one run.
int Latency(const std::string &zelbrin)
{
    SYSTEMTIME now, due;
    GetLocalTime(&now);
    const int first = now.wSecond < 40 ? 1 : 2;
    if (!StartWithTask(zelbrin, "latency", first, &due))
        return 1;
    for (int more = 1; more < 3; ++more)
        AddTask("latency", first + more, "");
    // Pressed half-way through a second: the countdown must still tick on the clock's seconds.
    while (GetLocalTime(&now), now.wMilliseconds < 500)
        Sleep(1);
    Click(mainWindow, kExecute);
    StartInterval("1");
    const double intervalStart = NowMs();
    Sleep(2500);
    SuspendThread(program.hThread);  // a busy machine holds the program's ticks back
    Sleep(5000);
    ResumeThread(program.hThread);
    double intervalMs = -1;
    std::vector<double> scheduledMs;
    while (scheduledMs.size() < 3 && NowMs() - intervalStart < 300000) {
        // A read waits while the program opens a sound: what it sees happened before it was asked.
        const double asked = NowMs();
        if (intervalMs < 0 && Text(mainWindow, kIntervalCountdown) == "0分0秒")
            intervalMs = asked - intervalStart;
        HWND box = WaitWindow("*", 0);
        SYSTEMTIME at;
        GetLocalTime(&at);
        if (box && Text(box) == "latency")
            scheduledMs.push_back(MsIntoMinute(at, at.wMinute));
        if (box)
            Post(box, Text(box) == "latency" ? IDOK : IDNO);
        Sleep(2);
    }
    printf("alarm latency: scheduled boxes %.0f ms after the start of their minutes (median of %zu); "
           "interval held back 5 s ran out after %.3f s, %+.0f ms off\n",
           scheduledMs.empty() ? -1.0 : Median(scheduledMs), scheduledMs.size(), intervalMs / 1000,
           intervalMs - 60000);
    TerminateProcess(program.hProcess, 0);
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc >= 5 && std::string(argv[1]) == "startup")
        return StartUp(WindowsPath(argv[2]), WindowsPath(argv[3]), atoi(argv[4]));
    if (argc >= 4 && std::string(argv[1]) == "idle")
        return Idle(argv[2], atoi(argv[3]));
    if (argc >= 3 && std::string(argv[1]) == "latency")
        return Latency(argv[2]);
    fprintf(
        stderr,
        "usage: bench_driver startup ZELBRIN MINIMAL RUNS | idle ZELBRIN SECONDS | latency ZELBRIN\n");
    return 2;
}
