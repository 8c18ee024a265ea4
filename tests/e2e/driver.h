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

// Picks the item at this position of the open popup menu with the keyboard.
void ChooseMenuItem(HWND menuWindow, int position);

#endif
