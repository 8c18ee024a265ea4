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
    // The main window itself, while the program is still starting.
    if (caption == "ZelbrinV1.0")
        return TRUE;
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

void RemoveTrayIcon(HWND mainWindow)
{
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = mainWindow;
    Shell_NotifyIconA(NIM_DELETE, &icon);
}

void ChooseMenuItem(HWND menuWindow, int position)
{
    for (int i = 0; i <= position; ++i)
        PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
}

static std::string FromWide(const std::wstring &wide)
{
    char text[4096] = "";
    WideCharToMultiByte(936, 0, wide.c_str(), -1, text, sizeof text, NULL, NULL);
    return text;
}

static std::vector<std::string> Items(HWND control, UINT countMessage, UINT lengthMessage, UINT textMessage)
{
    std::vector<std::string> items;
    int count = static_cast<int>(SendMessageW(control, countMessage, 0, 0));
    for (int i = 0; i < count; ++i) {
        int length = static_cast<int>(SendMessageW(control, lengthMessage, i, 0));
        std::wstring text(length + 1, L'\0');
        SendMessageW(control, textMessage, i, reinterpret_cast<LPARAM>(&text[0]));
        text.resize(wcslen(text.c_str()));
        items.push_back(FromWide(text));
    }
    return items;
}

std::vector<std::string> ListBoxItems(HWND dialog, int id)
{
    return Items(GetDlgItem(dialog, id), LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

std::vector<std::string> ComboItems(HWND dialog, int id)
{
    return Items(GetDlgItem(dialog, id), CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

void SelectComboItem(HWND dialog, int id, int index)
{
    HWND combo = GetDlgItem(dialog, id);
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void SetItemText(HWND dialog, int id, const std::string &text)
{
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

SYSTEMTIME LocalTimeAfterMinutes(const SYSTEMTIME &from, int minutes)
{
    FILETIME file;
    SystemTimeToFileTime(&from, &file);
    ULARGE_INTEGER ticks;
    ticks.LowPart = file.dwLowDateTime;
    ticks.HighPart = file.dwHighDateTime;
    ticks.QuadPart += static_cast<ULONGLONG>(minutes) * 60 * 10000000;
    file.dwLowDateTime = ticks.LowPart;
    file.dwHighDateTime = ticks.HighPart;
    SYSTEMTIME result;
    FileTimeToSystemTime(&file, &result);
    result.wSecond = 0;
    result.wMilliseconds = 0;
    return result;
}

std::string TaskLabel(const std::string &name, const SYSTEMTIME &due)
{
    char label[512];
    wsprintfA(label, "%s  —  %d-%d-%d | %02d:%02d", name.c_str(), due.wYear, due.wMonth,
              due.wDay, due.wHour, due.wMinute);
    return label;
}

HWND OpenFilledAddDialog(Program *program, const std::string &name, const std::string &message,
                         const std::string &soundPath, const SYSTEMTIME &due, bool pickMonthAndDay)
{
    // Control ids of the add-task dialog.
    const int nameEdit = 1018, messageEdit = 1015, soundEdit = 1026;
    const int yearList = 1022, monthList = 1023, dayList = 1024, hourList = 1016, minuteList = 1017;

    ExpectModal("时间设置");
    ClickButton(program->mainWindow, 1008);
    HWND dialog = WaitForProgramWindow(program, "#32770", "时间设置");
    if (!dialog)
        return NULL;
    SYSTEMTIME now;
    GetLocalTime(&now);
    SetItemText(dialog, nameEdit, name);
    SetItemText(dialog, messageEdit, message);
    if (!soundPath.empty())
        SetItemText(dialog, soundEdit, soundPath);
    SelectComboItem(dialog, yearList, due.wYear - now.wYear);
    if (pickMonthAndDay) {
        SelectComboItem(dialog, monthList, due.wMonth - 1);
        SelectComboItem(dialog, dayList, due.wDay - 1);
    }
    SelectComboItem(dialog, hourList, due.wHour);
    SelectComboItem(dialog, minuteList, due.wMinute);
    return dialog;
}

bool AddTask(Program *program, const std::string &name, const std::string &message,
             const SYSTEMTIME &due, const std::string &soundPath)
{
    const int ok = 1000;
    HWND dialog = OpenFilledAddDialog(program, name, message, soundPath, due, true);
    if (!dialog)
        return false;
    PostCommand(dialog, ok);
    return WaitForWindowGone(dialog);
}

static std::string ScreenshotFolder()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, sizeof path);
    std::string folder(path);
    folder = folder.substr(0, folder.find_last_of('\\')) + "\\screenshots";
    CreateDirectoryA(folder.c_str(), NULL);
    return folder;
}

void SaveScreenshot(HWND window, const char *name)
{
    // Another test's window may lie over this one: the alarm boxes of two
    // programs open in the same place.
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(300);  // let the program paint
    RECT rect;
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    int stride = (width * 3 + 3) & ~3;
    std::vector<BYTE> pixels(static_cast<size_t>(stride) * height);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO *>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);

    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::string path = ScreenshotFolder() + "\\" + name + ".bmp";
    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written;
    WriteFile(out, &file, sizeof file, &written, NULL);
    WriteFile(out, &info, sizeof info, &written, NULL);
    WriteFile(out, pixels.data(), static_cast<DWORD>(pixels.size()), &written, NULL);
    CloseHandle(out);
}
