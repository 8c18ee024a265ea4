#ifndef ZELBRIN_UI_ADD_TASK_DIALOG_H
#define ZELBRIN_UI_ADD_TASK_DIALOG_H

#include <windows.h>

#include "schedule/task_table.h"

// Runs the modal add-task dialog ("时间设置") without an owner, so the main
// window and its timers go on meanwhile. On "确定" every field is written
// into the record and the result is 1; otherwise 0 and the record is
// untouched. The dialog validates nothing.
INT_PTR RunAddTaskDialog(HINSTANCE instance, TaskRecord *record);

INT_PTR CALLBACK AddTaskDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void FillPickerLists(HWND dialog);
int RefillDayList(HWND dialog);
void ReadTaskFields(HWND dialog, TaskRecord *record);
void ReadDueTime(HWND dialog, TaskRecord *record);

#endif
