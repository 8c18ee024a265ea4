#pragma once

// Works the program's windows by messages, in-process or from a second one.
// Every send gives up after a few seconds, so a program that hangs fails
// its test instead of stopping the tier.
#include <windows.h>

#include <string>
#include <vector>

const UINT kSendTimeoutMs = 5000;

inline LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result);
    return result;
}

// id 0: the window's own text.
inline std::string Text(HWND window, int id = 0)
{
    char text[4096] = "";
    HWND control = id ? GetDlgItem(window, id) : window;
    Send(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
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

// From another process Wine answers LB_GETTEXT in Unicode whatever the form.
inline std::vector<std::string> ListItems(HWND window, int id)
{
    HWND list = GetDlgItem(window, id);
    std::vector<std::string> items;
    DWORD_PTR count = 0;
    SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &count);
    for (DWORD_PTR i = 0; i < count; ++i) {
        wchar_t wide[1024] = L"";
        char text[2048] = "";
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide), SMTO_NORMAL,
                            kSendTimeoutMs, &ignored);
        WideCharToMultiByte(936, 0, wide, -1, text, sizeof text, NULL, NULL);
        items.push_back(text);
    }
    return items;
}

// Picks as a user does: the selection changes, then the dialog hears of it.
inline void Select(HWND dialog, int id, int index)
{
    HWND list = GetDlgItem(dialog, id);
    Send(list, CB_SETCURSEL, index, 0);
    Send(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

// Fills an add-task dialog; the message is the name and "!". A month or day
// of 0 is left unpicked.
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

inline std::string programPath;
inline PROCESS_INFORMATION program;
inline HWND mainWindow;

// A shown top-level window of the program other than `besides`, of the
// given class; caption "*" takes any.
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
    STARTUPINFOA startup;
    GetStartupInfoA(&startup);
    std::string commandLine = "\"" + programPath + "\"";
    if (!CreateProcessA(programPath.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                        &program))
        return false;
    mainWindow = WaitWindow("ZelbrinV1.0", 30000);
    return mainWindow != NULL;
}

// -1 while it still runs.
inline int ExitStatus(DWORD timeoutMs)
{
    if (WaitForSingleObject(program.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD status = 0;
    GetExitCodeProcess(program.hProcess, &status);
    return static_cast<int>(status);
}

inline long long Seconds(const SYSTEMTIME &time)
{
    FILETIME file;
    SystemTimeToFileTime(&time, &file);
    ULARGE_INTEGER ticks;
    ticks.LowPart = file.dwLowDateTime;
    ticks.HighPart = file.dwHighDateTime;
    return static_cast<long long>(ticks.QuadPart / 10000000);
}

// The minute `minutes` after `time`, at second 0.
inline SYSTEMTIME Plus(SYSTEMTIME time, int minutes)
{
    ULARGE_INTEGER ticks;
    ticks.QuadPart = (Seconds(time) / 60 + minutes) * 60 * 10000000ULL;
    FILETIME file = {ticks.LowPart, ticks.HighPart};
    FileTimeToSystemTime(&file, &time);
    return time;
}

// "+", then the add-task dialog filled but not confirmed.
inline HWND OpenAddDialog(const std::string &name, const SYSTEMTIME &due, const std::string &sound = "")
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    Post(mainWindow, 1008);
    HWND dialog = WaitWindow("时间设置");
    FillAddDialog(dialog, name, now, due);
    if (!sound.empty())
        SetText(dialog, 1026, sound);
    return dialog;
}

inline bool AddTask(const std::string &name, const SYSTEMTIME &due, const std::string &sound = "")
{
    HWND dialog = OpenAddDialog(name, due, sound);
    if (!dialog)
        return false;
    Post(dialog, 1000);
    return WaitGone(dialog);
}
