#include "ui/task_list.h"

#include "res/resource.h"
#include "schedule/format_text.h"
#include "schedule/local_time.h"
#include "schedule/time_rules.h"
#include "text/gbk_text.h"
#include "ui/add_task_dialog.h"
#include "ui/countdown.h"
#include "ui/task_details_dialog.h"

static const char kInsertFailed[] = "插入失败";

void FormatTaskLabel(const TaskRecord &task, char label[kTaskLabelSize])
{
    char dueText[kTimeTextSize];
    FormatTaskTime(task.dueTime, dueText);
    FormatText(label, kTaskLabelSize, "%s  —  %s", task.name, dueText);
}

static LRESULT SendToList(HWND mainWindow, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendDlgItemMessageA(mainWindow, IDC_MAIN_TASK_LIST, message, wParam, lParam);
}

static void InsertLabel(HWND mainWindow, int position, const TaskRecord &task)
{
    char label[kTaskLabelSize];
    FormatTaskLabel(task, label);
    SendGbkString(mainWindow, IDC_MAIN_TASK_LIST, LB_INSERTSTRING, position, label);
}

void RemoveListedTask(HWND mainWindow, int slot)
{
    if (RemoveTaskAt(slot))
        SendToList(mainWindow, LB_DELETESTRING, slot, 0);
}

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
    // No owner: the main window and the countdowns go on while it is open.
    if (RunAddTaskDialog(ProgramInstance(mainWindow), &record) == 0)
        return;
    // The table is looked at only now: an alarm may have changed it.
    SYSTEMTIME now;
    ReadLocalTime(&now);
    int position = FindInsertPosition(record.dueTime, now);
    if (position < 0) {
        GbkMessageBox(mainWindow, RefusalText(position), kInsertFailed, MB_ICONERROR);
        return;
    }
    if (InsertTaskAt(record, position))
        InsertLabel(mainWindow, position, record);
}

static int SelectedTask(HWND mainWindow)
{
    LRESULT selected = SendToList(mainWindow, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR || selected > taskTable.lastIndex)
        return -1;
    return static_cast<int>(selected);
}

void DeleteTaskCommand(HWND mainWindow)
{
    int slot = SelectedTask(mainWindow);
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
    while (SendToList(mainWindow, LB_GETCOUNT, 0, 0) > 0)
        SendToList(mainWindow, LB_DELETESTRING, 0, 0);
    ClearTasks();
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
    int slot = SelectedTask(mainWindow);
    if (slot < 0)
        return;
    // The dialog edits a copy: the table can shift while it is open.
    TaskRecord copy = taskTable.slots[slot];
    if (RunTaskDetailsDialog(ProgramInstance(mainWindow), &copy) == 0)
        return;
    slot = StoreEditedTexts(copy);
    if (slot < 0) {
        GbkMessageBox(mainWindow, "该任务已不存在，更改未保存", "更改失败", MB_ICONERROR);
        return;
    }
    InsertLabel(mainWindow, slot, taskTable.slots[slot]);
    SendToList(mainWindow, LB_DELETESTRING, slot + 1, 0);
}
