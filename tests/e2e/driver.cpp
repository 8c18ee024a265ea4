#include "e2e/driver.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>

static std::string programPath;
static std::vector<std::string> expectedModals;

void SetProgramPath(const char *path)
{
    programPath = path;
    if (!programPath.empty() && programPath[0] == '/') {
        std::replace(programPath.begin(), programPath.end(), '/', '\\');
        programPath = "Z:" + programPath;
    }
}

struct Search {
    DWORD processId;
    const char *className;
    const std::string *caption;
    HWND found;
};

static BOOL CALLBACK MatchWindow(HWND window, LPARAM param)
{
    Search *search = reinterpret_cast<Search *>(param);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || !IsWindowVisible(window))
        return TRUE;
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, search->className) != 0)
        return TRUE;
    if (!search->caption->empty() && WindowText(window) != *search->caption)
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindProgramWindow(Program *program, const char *className, const std::string &caption)
{
    Search search = {program->process.dwProcessId, className, &caption, NULL};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct UnexpectedSearch {
    DWORD processId;
    HWND mainWindow;
    HWND found;
};

static BOOL CALLBACK MatchUnexpected(HWND window, LPARAM param)
{
    UnexpectedSearch *search = reinterpret_cast<UnexpectedSearch *>(param);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || window == search->mainWindow || !IsWindowVisible(window))
        return TRUE;
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") != 0)
        return TRUE;
    std::string caption = WindowText(window);
    if (std::find(expectedModals.begin(), expectedModals.end(), caption) != expectedModals.end())
        return TRUE;
    search->found = window;
    return FALSE;
}

bool WaitUntil(Program *program, bool (*condition)(Program *), DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (condition(program))
            return true;
        UnexpectedSearch search = {program->process.dwProcessId, program->mainWindow, NULL};
        EnumWindows(MatchUnexpected, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            ADD_FAILURE() << "unexpected window \"" << WindowText(search.found) << "\": "
                          << ItemText(search.found, 0xFFFF);
            return false;
        }
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
}

void ExpectModal(const std::string &caption)
{
    expectedModals.push_back(caption);
}

void ClearExpectedModals()
{
    expectedModals.clear();
}

static const char *waitedClass;
static const std::string *waitedCaption;
static HWND waitedWindow;

static bool WindowAppeared(Program *program)
{
    waitedWindow = FindProgramWindow(program, waitedClass, *waitedCaption);
    return waitedWindow != NULL;
}

HWND WaitForProgramWindow(Program *program, const char *className, const std::string &caption,
                          DWORD timeoutMs)
{
    waitedClass = className;
    waitedCaption = &caption;
    waitedWindow = NULL;
    WaitUntil(program, WindowAppeared, timeoutMs);
    return waitedWindow;
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

bool StartProgram(Program *program)
{
    *program = Program();
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + programPath + "\"";
    if (!CreateProcessA(programPath.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL,
                        &startup, &program->process)) {
        ADD_FAILURE() << "cannot start " << programPath << ": error " << GetLastError();
        return false;
    }
    program->mainWindow = WaitForProgramWindow(program, "#32770", "ZelbrinV1.0", 30000);
    return program->mainWindow != NULL;
}

int WaitForExit(Program *program, DWORD timeoutMs)
{
    if (WaitForSingleObject(program->process.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD status = 0;
    GetExitCodeProcess(program->process.hProcess, &status);
    return static_cast<int>(status);
}

int ExitProgramByCommand(Program *program)
{
    PostCommand(program->mainWindow, 9999);
    return WaitForExit(program);
}

void KillProgram(Program *program)
{
    if (!program->process.hProcess)
        return;
    if (WaitForSingleObject(program->process.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(program->process.hProcess, 1);
        WaitForSingleObject(program->process.hProcess, 5000);
    }
    CloseHandle(program->process.hProcess);
    CloseHandle(program->process.hThread);
    program->process = PROCESS_INFORMATION();
}

std::string WindowText(HWND window)
{
    char text[4096] = "";
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string ItemText(HWND dialog, int id)
{
    return WindowText(GetDlgItem(dialog, id));
}

bool ItemVisible(HWND dialog, int id)
{
    return (GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

bool ItemEnabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

int ButtonCheck(HWND dialog, int id)
{
    return static_cast<int>(SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0));
}

void PostCommand(HWND window, int id)
{
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

// Posted, not sent: the click may open a modal window in the program.
void ClickButton(HWND dialog, int id)
{
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

bool TrayIconExists(HWND mainWindow)
{
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = mainWindow;
    return Shell_NotifyIconA(NIM_MODIFY, &icon) != FALSE;
}

void ChooseMenuItem(HWND menuWindow, int position)
{
    for (int i = 0; i <= position; ++i)
        PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
}
