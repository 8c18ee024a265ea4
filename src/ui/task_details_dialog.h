#ifndef ZELBRIN_UI_TASK_DETAILS_DIALOG_H
#define ZELBRIN_UI_TASK_DETAILS_DIALOG_H

#include <windows.h>

#include "schedule/task_table.h"

// Runs the modal details dialog ("任务详情") on a task without an owner. On
// "更改" the record's name, message and sound path take the fields' texts
// and the result is 1, unless the sound path is refused, which keeps the
// dialog open; otherwise 0 and the record is untouched. The due time is
// shown, never changed.
//
// The table can shift while the dialog is open (an alarm rings, another
// command runs), so callers pass a copy of the task, not its slot.
INT_PTR RunTaskDetailsDialog(HINSTANCE instance, TaskRecord *task);

INT_PTR CALLBACK TaskDetailsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
