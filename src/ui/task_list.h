#ifndef ZELBRIN_UI_TASK_LIST_H
#define ZELBRIN_UI_TASK_LIST_H

#include <windows.h>

#include "schedule/task_table.h"

// The list box mirrors the task table: item i always shows slot i, and every
// command changes both in the same handler.

const int kTaskLabelSize = 512;

// "name  —  2026-12-25 | 09:05"
void FormatTaskLabel(const TaskRecord &task, char label[kTaskLabelSize]);

// Removes the task in this slot from the table and its item from the list;
// a slot that holds no task changes nothing.
void RemoveListedTask(HWND mainWindow, int slot);

void AddTaskCommand(HWND mainWindow);
void DeleteTaskCommand(HWND mainWindow);
void ClearTasksCommand(HWND mainWindow);
void PurgeInvalidTasksCommand(HWND mainWindow);
void TaskDetailsCommand(HWND mainWindow);

#endif
