#ifndef ZELBRIN_TESTS_E2E_DRIVER_H
#define ZELBRIN_TESTS_E2E_DRIVER_H

// Drives the real program from a second process by window messages.
#include <windows.h>

#include <string>
#include <vector>

#include "support/add_dialog.h"

inline std::string programPath;
inline PROCESS_INFORMATION program;
inline HWND mainWindow;

inline std::string Text(HWND window, int id = 0)  // id 0: the window's own
{
    char text[4096] = "";
    SendMessageA(id ? GetDlgItem(window, id) : window, WM_GETTEXT, sizeof text, (LPARAM)text);
    return text;
}

// A shown top-level window of the program; caption "*" matches any.
inline HWND WaitWindow(const std::string &caption, DWORD timeoutMs = 15000, const char *className = "#32770",
                       HWND besides = NULL)
{
    struct Search {
        const char *className;
        const std::string &caption;
        HWND besides, found;
        static BOOL CALLBACK Match(HWND window, LPARAM param)
        {
            Search *s = reinterpret_cast<Search *>(param);
            DWORD processId = 0;
            char name[16] = "";
            GetWindowThreadProcessId(window, &processId);
            GetClassNameA(window, name, sizeof name);
            bool found = processId == program.dwProcessId && window != s->besides && IsWindowVisible(window) &&
                         !lstrcmpA(name, s->className) && (s->caption == "*" || s->caption == Text(window));
            s->found = found ? window : s->found;
            return !found;
        }
    } search = {className, caption, besides, NULL};
    for (DWORD start = GetTickCount(); !search.found && GetTickCount() - start < timeoutMs; Sleep(10))
        EnumWindows(Search::Match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline bool WaitGone(HWND window)
{
    for (int i = 0; i < 1500 && IsWindowVisible(window); ++i)
        Sleep(10);
    return !IsWindowVisible(window);
}

inline bool StartProgram()
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + programPath + "\"";
    return CreateProcessA(programPath.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &program) &&
           (mainWindow = WaitWindow("ZelbrinV1.0", 30000)) != NULL;
}

inline int ExitStatus(DWORD timeoutMs = 15000)  // -1 while it still runs
{
    DWORD status = 0;
    bool ended = WaitForSingleObject(program.hProcess, timeoutMs) == WAIT_OBJECT_0;
    return ended && GetExitCodeProcess(program.hProcess, &status) ? static_cast<int>(status) : -1;
}

inline void Post(HWND window, int id) { PostMessageA(window, WM_COMMAND, id, 0); }
// Posted: the click may open a modal window in the program.
inline void Click(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
inline void SetText(HWND dialog, int id, const std::string &text)
{
    SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, (LPARAM)text.c_str());
}

// From another process Wine answers LB_GETTEXT in Unicode whatever the form.
inline std::vector<std::string> TaskItems()
{
    std::vector<std::string> items;
    for (int i = 0; i < SendDlgItemMessageW(mainWindow, 1007, LB_GETCOUNT, 0, 0); ++i) {
        wchar_t wide[1024] = L"";
        char text[2048] = "";
        SendDlgItemMessageW(mainWindow, 1007, LB_GETTEXT, i, (LPARAM)wide);
        WideCharToMultiByte(936, 0, wide, -1, text, sizeof text, NULL, NULL);
        items.push_back(text);
    }
    return items;
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
    Click(mainWindow, 1008);
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

#endif
