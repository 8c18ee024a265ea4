#ifndef ZELBRIN_TESTS_E2E_DRIVER_H
#define ZELBRIN_TESTS_E2E_DRIVER_H

#include <windows.h>

#include <string>
#include <vector>

// Drives the real program from this second process by window messages.

const UINT kTrayNotify = WM_USER + 5;
const DWORD kWaitMs = 15000;

struct Program {
    PROCESS_INFORMATION process;
    HWND mainWindow;
};

// The program's path as CTest passes it (a Unix path under Wine).
void SetProgramPath(const char *path);

// Starts the program and waits for its main window to be shown.
bool StartProgram(Program *program);
// Waits for the process to end and returns its exit status (-1 on timeout).
int WaitForExit(Program *program, DWORD timeoutMs = kWaitMs);
// Ends it through the tray's exit command; returns the exit status.
int ExitProgramByCommand(Program *program);
void KillProgram(Program *program);

// Polls until the condition holds. Meanwhile any dialog of the program other
// than the main window and those whose caption is expected fails the test at
// once, with its caption and text.
bool WaitUntil(Program *program, bool (*condition)(Program *), DWORD timeoutMs = kWaitMs);
void ExpectModal(const std::string &caption);
void ClearExpectedModals();

// A top-level window of the program with this class and caption (caption
// empty: any), visible.
HWND FindProgramWindow(Program *program, const char *className, const std::string &caption);
HWND WaitForProgramWindow(Program *program, const char *className, const std::string &caption,
                          DWORD timeoutMs = kWaitMs);
bool WaitForWindowGone(HWND window, DWORD timeoutMs = kWaitMs);

std::string WindowText(HWND window);
std::string ItemText(HWND dialog, int id);
bool ItemVisible(HWND dialog, int id);
bool ItemEnabled(HWND dialog, int id);
int ButtonCheck(HWND dialog, int id);

void PostCommand(HWND window, int id);
void ClickButton(HWND dialog, int id);
bool TrayIconExists(HWND mainWindow);
// What an Explorer restart does to the program's icon.
void RemoveTrayIcon(HWND mainWindow);

// List and combo texts: Wine answers the A forms of LB_GETTEXT and
// CB_GETLBTEXT from another process in Unicode, so they are read with the W
// forms and converted to code page 936.
std::vector<std::string> ListBoxItems(HWND dialog, int id);
std::vector<std::string> ComboItems(HWND dialog, int id);
// Selects as a user would: the selection changes, then the dialog hears of it.
void SelectComboItem(HWND dialog, int id, int index);
void SetItemText(HWND dialog, int id, const std::string &text);

SYSTEMTIME LocalTimeAfterMinutes(const SYSTEMTIME &from, int minutes);
// "name  —  2026-12-25 | 09:05", as the task list shows it.
std::string TaskLabel(const std::string &name, const SYSTEMTIME &due);

// Opens the add-task dialog with "+" and fills it (an empty sound path
// leaves the hint); the caller confirms or cancels it.
HWND OpenFilledAddDialog(Program *program, const std::string &name, const std::string &message,
                         const std::string &soundPath, const SYSTEMTIME &due, bool pickMonthAndDay);

// Adds a task through "+" and the add-task dialog; false if anything failed.
bool AddTask(Program *program, const std::string &name, const std::string &message,
             const SYSTEMTIME &due, const std::string &soundPath = "");

// Saves what the screen shows of the window as <name>.bmp in the
// screenshots folder beside this exe (scripts/test.sh turns them into PNG).
void SaveScreenshot(HWND window, const char *name);

// Picks the item at this position of the open popup menu with the keyboard.
void ChooseMenuItem(HWND menuWindow, int position);

#endif
