#ifndef ZELBRIN_UI_TASK_LIST_H
#define ZELBRIN_UI_TASK_LIST_H

#include <windows.h>

// The scheduled panel's commands on its tasks: "+", "-", "清空", "删除无效"
// and "任务详情".
void AddTaskCommand(HWND mainWindow);
void DeleteTaskCommand(HWND mainWindow);
void ClearTasksCommand(HWND mainWindow);
void PurgeInvalidTasksCommand(HWND mainWindow);
void TaskDetailsCommand(HWND mainWindow);

#endif
