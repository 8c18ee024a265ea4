#ifndef ZELBRIN_TESTS_TASK_SCRIPT_H
#define ZELBRIN_TESTS_TASK_SCRIPT_H

#include <windows.h>

#include <string>
#include <vector>

#include "schedule/system_time.h"

// Scripts for the modal windows that the task commands open, answered from
// the CBT hook: the add-task dialog, the details dialog and message boxes.

struct AddScript {
    bool confirm = true;
    std::string name, message, soundPath;
    SYSTEMTIME due = {};  // month or day 0: that list is left unselected
};
void ScriptNextAdd(const AddScript &script);

struct DetailsScript {
    bool confirm = true;
    std::string name, message, soundPath;
    void (*whileOpen)() = nullptr;  // runs inside the dialog before it is answered
};
void ScriptNextDetails(const DetailsScript &script);

// Runs inside an open alarm box, before it is answered.
void WhileNextBoxIsOpen(void (*action)());

// The ModalHandler for StartAnsweringModals.
void AnswerScripted(HWND window);

std::vector<std::string> ListItems(HWND mainWindow);

// Whether the countdown's timer exists. A running one is re-armed with the
// longest period, so that no real tick interferes with a test's clock.
bool ScheduleTimerRunning(HWND mainWindow);

#endif
