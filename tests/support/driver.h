#pragma once

// Works the program's windows by messages, in-process or from a second one.
#include <windows.h>

#include <string>
#include <vector>

inline std::string Text(HWND window, int id = 0)  // id 0: the window's own
{
    char text[4096] = "";
    SendMessageA(id ? GetDlgItem(window, id) : window, WM_GETTEXT, sizeof text, (LPARAM)text);
    return text;
}

// Posted: the command may open a modal window of the program.
inline void Post(HWND window, int id) { PostMessageA(window, WM_COMMAND, id, 0); }
inline void SetText(HWND dialog, int id, const std::string &text) { SetDlgItemTextA(dialog, id, text.c_str()); }

// From another process Wine answers LB_GETTEXT in Unicode whatever the form.
inline std::vector<std::string> ListItems(HWND window, int id)
{
    std::vector<std::string> items;
    for (int i = 0; i < SendDlgItemMessageW(window, id, LB_GETCOUNT, 0, 0); ++i) {
        wchar_t wide[1024] = L"";
        char text[2048] = "";
        SendDlgItemMessageW(window, id, LB_GETTEXT, i, (LPARAM)wide);
        WideCharToMultiByte(936, 0, wide, -1, text, sizeof text, NULL, NULL);
        items.push_back(text);
    }
    return items;
}

// Picks as a user does: the selection changes, then the dialog hears of it.
inline void Select(HWND dialog, int id, int index)
{
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), (LPARAM)GetDlgItem(dialog, id));
}

// Fills an add-task dialog, message: name + "!"; month or day 0 stay unpicked.
inline void FillAddDialog(HWND dialog, const std::string &name, const SYSTEMTIME &now, const SYSTEMTIME &due)
{
    SetText(dialog, 1018, name);
    SetText(dialog, 1015, name + "!");
    const int lists[] = {1022, 1023, 1024, 1016, 1017};
    const int picks[] = {due.wYear - now.wYear, due.wMonth - 1, due.wDay - 1, due.wHour, due.wMinute};
    for (int i = 0; i < 5; ++i)
        if (picks[i] >= 0)
            Select(dialog, lists[i], picks[i]);
}

inline std::string programPath;
inline PROCESS_INFORMATION program;
inline HWND mainWindow;

// A shown top-level window of the program but `besides`; caption "*": any.
inline HWND WaitWindow(const std::string &caption, DWORD timeoutMs = 15000, const char *className = "#32770",
                       HWND besides = NULL)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start <= timeoutMs; Sleep(10))
        for (HWND window = NULL; (window = FindWindowExA(NULL, window, className, NULL)) != NULL;) {
            DWORD processId = 0;
            GetWindowThreadProcessId(window, &processId);
            if (processId == program.dwProcessId && window != besides && IsWindowVisible(window) &&
                (caption == "*" || caption == Text(window)))
                return window;
        }
    return NULL;
}

inline bool WaitGone(HWND window)
{
    for (int i = 0; i < 1500 && IsWindowVisible(window); ++i) Sleep(10);
    return !IsWindowVisible(window);
}

inline bool StartProgram()
{
    STARTUPINFOA startup;
    GetStartupInfoA(&startup);
    std::string commandLine = "\"" + programPath + "\"";
    return CreateProcessA(programPath.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &program) &&
           (mainWindow = WaitWindow("ZelbrinV1.0", 30000)) != NULL;
}

inline int ExitStatus(DWORD timeoutMs = 15000)  // -1 while it still runs
{
    DWORD status = 0;
    bool ended = WaitForSingleObject(program.hProcess, timeoutMs) == WAIT_OBJECT_0;
    return ended && GetExitCodeProcess(program.hProcess, &status) ? int(status) : -1;
}

inline long long Seconds(const SYSTEMTIME &time)
{
    FILETIME file;
    SystemTimeToFileTime(&time, &file);
    return ((static_cast<long long>(file.dwHighDateTime) << 32) | file.dwLowDateTime) / 10000000;
}

inline SYSTEMTIME Plus(SYSTEMTIME time, int minutes)  // seconds dropped
{
    long long ticks = (Seconds(time) / 60 + minutes) * 60 * 10000000;
    FILETIME file = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    FileTimeToSystemTime(&file, &time);
    return time;
}

// "+", then the add-task dialog filled; AddTask also confirms it.
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
    Post(dialog, 1000);
    return dialog && WaitGone(dialog);
}
