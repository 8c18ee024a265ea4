#ifndef ZELBRIN_UI_LISTED_TASKS_H
#define ZELBRIN_UI_LISTED_TASKS_H

#include <windows.h>

#include "schedule/task_table.h"

// The list box mirrors the task table: item i always shows slot i. Every
// change to the table goes through here, so both change in the same step.

// Stores the task at that place and lists it there.
void InsertListedTask(HWND mainWindow, const TaskRecord &task, int position);
// A slot that holds no task changes nothing.
void RemoveListedTask(HWND mainWindow, int slot);
void ClearListedTasks(HWND mainWindow);
// The slot's label formed again, after its texts changed.
void RelabelListedTask(HWND mainWindow, int slot);

// The slot of the selected item, or -1 when none is selected.
int SelectedListedTask(HWND mainWindow);

#endif
