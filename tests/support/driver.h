#pragma once

// Works the program's windows by messages, in-process or from a second one;
// a send gives up after 5 s, so a hung program fails its test, not the tier.
#include <windows.h>

#include <string>

inline LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 5000, &result);
    return result;
}

inline std::string Text(HWND window, int id = 0)
{
    char text[4096] = "";
    Send(id ? GetDlgItem(window, id) : window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// Posted: the command may open a modal window of the program.
inline void Post(HWND window, int id)
{
    PostMessageA(window, WM_COMMAND, id, 0);
}

inline void SetText(HWND dialog, int id, const std::string &text)
{
    Send(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Picks as a user does: the selection changes, then the dialog hears of it.
inline void Select(HWND dialog, int id, int index)
{
    HWND list = GetDlgItem(dialog, id);
    Send(list, CB_SETCURSEL, index, 0);
    Send(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

// The message is the name and "!"; a month or day of 0 is left unpicked.
inline void FillAddDialog(HWND dialog, const std::string &name, const SYSTEMTIME &now,
                          const SYSTEMTIME &due)
{
    SetText(dialog, 1018, name);
    SetText(dialog, 1015, name + "!");
    const int lists[] = {1022, 1023, 1024, 1016, 1017};
    const int picks[] = {due.wYear - now.wYear, due.wMonth - 1, due.wDay - 1, due.wHour, due.wMinute};
    for (int i = 0; i < 5; ++i) {
        if (picks[i] >= 0)
            Select(dialog, lists[i], picks[i]);
    }
}

// The buttons a box shows, as their ids: Wine's boxes keep the others
// hidden, and end on any of them posted.
inline std::string Buttons(HWND box)
{
    std::string ids;
    for (int id = IDOK; id <= IDNO; ++id) {
        if (IsWindowVisible(GetDlgItem(box, id)))
            ids += std::to_string(id);
    }
    return ids;
}

inline std::string programPath;
inline PROCESS_INFORMATION program;
inline HWND mainWindow;

// A shown window of the program, other than `besides`; caption "*": any.
inline HWND WaitWindow(const std::string &caption, DWORD timeoutMs = 10000,
                       const char *className = "#32770", HWND besides = NULL)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start <= timeoutMs; Sleep(10)) {
        HWND window = NULL;
        while ((window = FindWindowExA(NULL, window, className, NULL)) != NULL) {
            DWORD processId = 0;
            GetWindowThreadProcessId(window, &processId);
            bool ours = processId == program.dwProcessId && window != besides;
            if (ours && IsWindowVisible(window) && (caption == "*" || caption == Text(window)))
                return window;
        }
    }
    return NULL;
}

inline bool WaitGone(HWND window)
{
    for (int i = 0; i < 1000 && IsWindowVisible(window); ++i)
        Sleep(10);
    return !IsWindowVisible(window);
}

inline bool StartProgram()
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string line = "\"" + programPath + "\"";
    CreateProcessA(programPath.c_str(), &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &program);
    // It ends with the driver, not holding a failed test's output open.
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    HANDLE job = CreateJobObjectA(NULL, NULL);
    SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    AssignProcessToJobObject(job, program.hProcess);
    mainWindow = WaitWindow("ZelbrinV1.0", 30000);
    return mainWindow != NULL;
}

// The minute `minutes` after `time`, at second 0.
inline SYSTEMTIME Plus(SYSTEMTIME time, int minutes)
{
    FILETIME file;
    SystemTimeToFileTime(&time, &file);
    long long minute =
        (static_cast<long long>(file.dwHighDateTime) << 32 | file.dwLowDateTime) / 600000000;
    long long ticks = (minute + minutes) * 600000000;
    file = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    FileTimeToSystemTime(&file, &time);
    return time;
}

// "+", the add-task dialog filled, and "确定".
inline bool AddTask(const std::string &name, const SYSTEMTIME &due, const std::string &sound = "")
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    Post(mainWindow, 1008);
    HWND dialog = WaitWindow("时间设置");
    FillAddDialog(dialog, name, now, due);
    if (!sound.empty())
        SetText(dialog, 1026, sound);
    Post(dialog, 1000);
    return dialog && WaitGone(dialog);
}
