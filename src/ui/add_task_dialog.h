#ifndef ZELBRIN_UI_ADD_TASK_DIALOG_H
#define ZELBRIN_UI_ADD_TASK_DIALOG_H

#include <windows.h>

#include "schedule/task_table.h"

// Runs the modal add-task dialog ("时间设置") without an owner, so the main
// window stays usable meanwhile; the timers tick in its loop as in any
// other. On "确定" every field is written into the record and the result is
// 1; otherwise 0 and the record is untouched. The dialog judges no task; it
// only refuses a sound path that names no file it can carry.
INT_PTR RunAddTaskDialog(HINSTANCE instance, TaskRecord *record);

INT_PTR CALLBACK AddTaskDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void FillPickerLists(HWND dialog);
int RefillDayList(HWND dialog);
// False, with the record untouched and the user told, when the sound path
// is refused.
bool ReadTaskFields(HWND dialog, TaskRecord *record);
void ReadDueTime(HWND dialog, TaskRecord *record);

#endif
