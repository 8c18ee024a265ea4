#pragma once

// Works the program's windows by messages, in-process or from a second one, in UTF-16, comparing texts
// as code page 936. A send gives up after 5 s.
#include <windows.h>

#include <stdio.h>

#include <algorithm>
#include <string>
#include <vector>

#include "res/resource.h"

const int kSecondMs = 1'000;

inline std::wstring Wide(const std::string &gbk)
{
    std::wstring wide(gbk.size() + 1, L'\0');
    wide.resize(MultiByteToWideChar(936, 0, gbk.c_str(), -1, &wide[0], static_cast<int>(wide.size())) -
                1);
    return wide;
}

inline std::string Gbk(const std::wstring &wide)
{
    std::string gbk(wide.size() * 2 + 1, '\0');
    int size = static_cast<int>(gbk.size());
    gbk.resize(WideCharToMultiByte(936, 0, wide.c_str(), -1, &gbk[0], size, NULL, NULL) - 1);
    return gbk;
}

inline LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 5000, &result);
    return result;
}

inline std::string Text(HWND window, int id = 0)
{
    wchar_t text[4096] = L"";
    Send(id ? GetDlgItem(window, id) : window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text));
    return Gbk(text);
}

inline std::string ClassOf(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

// Posted: the command may open a modal window of the program.
inline void Post(HWND window, int id)
{
    PostMessageW(window, WM_COMMAND, id, 0);
}

inline void SetText(HWND dialog, int id, const std::wstring &text)
{
    Send(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

inline void SetText(HWND dialog, int id, const std::string &gbk)
{
    SetText(dialog, id, Wide(gbk));
}

// The message is the name and "!"; a month or day of 0 is left unpicked.
inline void FillAddDialog(HWND dialog, const std::wstring &name, const SYSTEMTIME &now,
                          const SYSTEMTIME &due)
{
    SetText(dialog, IDC_ADD_NAME, name);
    SetText(dialog, IDC_ADD_MESSAGE, name + L"!");
    const int lists[] = {IDC_ADD_YEAR_LIST, IDC_ADD_MONTH_LIST, IDC_ADD_DAY_LIST, IDC_ADD_HOUR_LIST,
                         IDC_ADD_MINUTE_LIST};
    const int picks[] = {due.wYear - now.wYear, due.wMonth - 1, due.wDay - 1, due.wHour, due.wMinute};
    // Picked as a user picks, in a list that takes input: the selection changes, then the dialog hears
    // of it.
    for (int i = 0; i < 5; ++i) {
        HWND list = GetDlgItem(dialog, lists[i]);
        if (picks[i] < 0 || !IsWindowEnabled(list))
            continue;
        Send(list, CB_SETCURSEL, picks[i], 0);
        Send(dialog, WM_COMMAND, MAKEWPARAM(lists[i], CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    }
}

// A box as its user sees it: "caption|text|ids of the buttons shown|T if topmost".
inline std::string Describe(HWND box)
{
    std::string buttons;
    for (int id = IDOK; id <= IDNO; ++id)
        buttons += IsWindowVisible(GetDlgItem(box, id)) ? std::to_string(id) : "";
    const bool topmost = GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST;
    return Text(box) + "|" + Text(box, 0xFFFF) + "|" + buttons + "|" + (topmost ? "T" : "");
}

inline BOOL CALLBACK NoteShownWindow(HWND window, LPARAM found)
{
    auto *windows = reinterpret_cast<std::pair<DWORD, std::vector<HWND>> *>(found);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == windows->first && IsWindowVisible(window))
        windows->second.push_back(window);
    return TRUE;
}

// The shown top-level windows of a process, as one snapshot.
inline std::vector<HWND> ShownWindows(DWORD processId)
{
    std::pair<DWORD, std::vector<HWND>> found = {processId, {}};
    EnumWindows(NoteShownWindow, reinterpret_cast<LPARAM>(&found));
    return found.second;
}

inline std::string programPath;
inline PROCESS_INFORMATION program;
inline HWND mainWindow;
// Windows of the program a test has met and lets stay open.
inline std::vector<HWND> metWindows;

// A shown dialog (or other kind) of the program with this caption ("*": any). Any other shown window the
// test has not met ends the wait at once.
inline HWND WaitWindow(const std::string &caption, DWORD timeoutMs = 10000, const char *kind = "#32770")
{
    for (DWORD start = GetTickCount(); GetTickCount() - start <= timeoutMs; Sleep(10)) {
        for (HWND window : ShownWindows(program.dwProcessId)) {
            if (std::find(metWindows.begin(), metWindows.end(), window) != metWindows.end())
                continue;
            if (ClassOf(window) == kind && (caption == "*" || caption == Text(window)))
                return metWindows.emplace_back(window);
            const std::string what = "\"" + Text(window) + "\" (" + ClassOf(window) + ")";
            fprintf(stderr, "unexpected window %s of process %lu\n", what.c_str(), program.dwProcessId);
            return NULL;
        }
    }
    return NULL;
}

inline bool WaitGone(HWND window)
{
    for (int i = 0; i < 500 && IsWindowVisible(window); ++i)
        Sleep(10);
    return !IsWindowVisible(window);
}

// The program ends with the driver, not holding a failed test's output open.
inline bool StartProgram()
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string line = "\"" + programPath + "\"";
    CreateProcessA(programPath.c_str(), &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &program);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    HANDLE job = CreateJobObjectA(NULL, NULL);
    SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    AssignProcessToJobObject(job, program.hProcess);
    mainWindow = WaitWindow("ZelbrinV1.0", 30000);
    return mainWindow != NULL;
}

// Milliseconds since 1601 (0 for no valid time), and back.
inline long long Ms(const SYSTEMTIME &time)
{
    FILETIME file = {};
    SystemTimeToFileTime(&time, &file);
    return (static_cast<long long>(file.dwHighDateTime) << 32 | file.dwLowDateTime) / 10000;
}

inline SYSTEMTIME At(long long ms)
{
    FILETIME file = {static_cast<DWORD>(ms * 10000), static_cast<DWORD>(ms * 10000 >> 32)};
    SYSTEMTIME time;
    FileTimeToSystemTime(&file, &time);
    return time;
}

// "+", the add-task dialog filled for a task `minutes` from now, and "确定".
inline bool AddTask(const std::string &name, int minutes, const std::string &sound)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    Post(mainWindow, IDC_MAIN_ADD);
    HWND dialog = WaitWindow("时间设置");
    FillAddDialog(dialog, Wide(name), now, At((Ms(now) / 60000 + minutes) * 60000));
    if (!sound.empty())
        SetText(dialog, IDC_ADD_SOUND_PATH, sound);
    Post(dialog, IDC_ADD_OK);
    return dialog && WaitGone(dialog);
}
