#include "ui/listed_tasks.h"

#include "res/resource.h"
#include "schedule/format_text.h"
#include "schedule/time_rules.h"
#include "text/gbk_text.h"

static const int kTaskLabelSize = 512;

// "name  —  2026-12-25 | 09:05"
static void FormatTaskLabel(const TaskRecord &task, char label[kTaskLabelSize])
{
    char dueText[kTimeTextSize];
    FormatTaskTime(task.dueTime, dueText);
    FormatText(label, kTaskLabelSize, "%s  —  %s", task.name, dueText);
}

static LRESULT SendToList(HWND mainWindow, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendDlgItemMessageA(mainWindow, IDC_MAIN_TASK_LIST, message, wParam, lParam);
}

// LB_INSERTSTRING, never LB_ADDSTRING: the list must not sort itself.
static void InsertLabel(HWND mainWindow, int position)
{
    char label[kTaskLabelSize];
    FormatTaskLabel(TaskSlot(position), label);
    SendGbkString(mainWindow, IDC_MAIN_TASK_LIST, LB_INSERTSTRING, position, label);
}

void InsertListedTask(HWND mainWindow, const TaskRecord &task, int position)
{
    if (InsertTaskAt(task, position))
        InsertLabel(mainWindow, position);
}

void RemoveListedTask(HWND mainWindow, int slot)
{
    if (RemoveTaskAt(slot))
        SendToList(mainWindow, LB_DELETESTRING, slot, 0);
}

void ClearListedTasks(HWND mainWindow)
{
    while (SendToList(mainWindow, LB_GETCOUNT, 0, 0) > 0)
        SendToList(mainWindow, LB_DELETESTRING, 0, 0);
    ClearTasks();
}

void RelabelListedTask(HWND mainWindow, int slot)
{
    InsertLabel(mainWindow, slot);
    SendToList(mainWindow, LB_DELETESTRING, slot + 1, 0);
}

int SelectedListedTask(HWND mainWindow)
{
    LRESULT selected = SendToList(mainWindow, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR || selected >= TaskCount())
        return -1;
    return static_cast<int>(selected);
}
