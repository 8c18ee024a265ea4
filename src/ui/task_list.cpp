#include "ui/task_list.h"

#include "schedule/local_time.h"
#include "schedule/task_table.h"
#include "text/gbk_text.h"
#include "ui/add_task_dialog.h"
#include "ui/countdown.h"
#include "ui/listed_tasks.h"
#include "ui/task_details_dialog.h"

static HINSTANCE ProgramInstance(HWND mainWindow)
{
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
}

static const char *RefusalText(int refusal)
{
    switch (refusal) {
    case RefuseInvalid:
        return "该任务是个无效任务";
    case RefuseSameMinute:
        return "已经存在一个相同时间的任务了";
    case RefuseTableFull:
        return "任务列表已满，最多可添加100个任务";
    default:
        return "任务日期不完整，请选择月和日";
    }
}

void AddTaskCommand(HWND mainWindow)
{
    TaskRecord record = {};
    if (RunAddTaskDialog(ProgramInstance(mainWindow), &record) == 0)
        return;
    // The table is looked at only now: an alarm may have changed it while
    // the dialog was open.
    SYSTEMTIME now;
    ReadLocalTime(&now);
    int position = FindInsertPosition(record.dueTime, now);
    if (position < 0) {
        GbkMessageBox(mainWindow, RefusalText(position), "插入失败", MB_ICONERROR);
        return;
    }
    InsertListedTask(mainWindow, record, position);
}

void DeleteTaskCommand(HWND mainWindow)
{
    int slot = SelectedListedTask(mainWindow);
    if (slot < 0)
        return;
    if (slot == 0)
        StopCountdown(mainWindow);
    RemoveListedTask(mainWindow, slot);
    CloseAlarmOfRemovedTask(mainWindow);
}

void ClearTasksCommand(HWND mainWindow)
{
    StopCountdown(mainWindow);
    ClearListedTasks(mainWindow);
    CloseAlarmOfRemovedTask(mainWindow);
}

// Leaves a running countdown alone: it goes on to the new first task.
void PurgeInvalidTasksCommand(HWND mainWindow)
{
    for (int slot = FindFirstInvalid(); slot != kNoInvalidTask; slot = FindFirstInvalid())
        RemoveListedTask(mainWindow, slot);
    CloseAlarmOfRemovedTask(mainWindow);
}

void TaskDetailsCommand(HWND mainWindow)
{
    int slot = SelectedListedTask(mainWindow);
    if (slot < 0)
        return;
    // The dialog edits a copy: the table can shift while it is open.
    TaskRecord copy = TaskSlot(slot);
    if (RunTaskDetailsDialog(ProgramInstance(mainWindow), &copy) == 0)
        return;
    slot = StoreEditedTexts(copy);
    if (slot < 0) {
        GbkMessageBox(mainWindow, "该任务已不存在，更改未保存", "更改失败", MB_ICONERROR);
        return;
    }
    RelabelListedTask(mainWindow, slot);
}
