#include "task_table.h"

#include <string.h>

#include "format_text.h"
#include "local_time.h"
#include "time_rules.h"

// Zero-initialised, so its 78 KB stay out of the program file; lastIndex
// is set before any of the program's own code runs.
TaskTable taskTable;
static const bool tableStartsEmpty = (taskTable.lastIndex = -1, true);

int TaskCount()
{
    return taskTable.lastIndex + 1;
}

const TaskRecord &TaskSlot(int slot)
{
    return taskTable.slots[slot];
}

static bool HasIncompleteDate(const SYSTEMTIME &dueTime)
{
    return dueTime.wMonth == 0 || dueTime.wDay == 0;
}

int FindInsertPosition(const SYSTEMTIME &dueTime, const SYSTEMTIME &now)
{
    if (IsInvalidTask(dueTime, now))
        return RefuseInvalid;
    if (HasIncompleteDate(dueTime))
        return RefuseIncompleteDate;

    int count = TaskCount();
    int position = count;
    for (int i = 0; i < count; ++i) {
        int order = CompareTaskTime(dueTime, taskTable.slots[i].dueTime);
        if (order == kSameMinute)
            return RefuseSameMinute;
        if (order == kEarlier) {
            position = i;
            break;
        }
    }
    if (count >= kTaskCapacity)
        return RefuseTableFull;
    return position;
}

static void ZeroSlot(TaskRecord *slot)
{
    memset(slot, 0, sizeof *slot);
}

// Only the texts and the five due-time fields travel; the rest stays zero.
static void CopyTask(TaskRecord *to, const TaskRecord &from)
{
    ZeroSlot(to);
    CopyText(to->name, sizeof to->name, from.name);
    CopyText(to->message, sizeof to->message, from.message);
    CopyText(to->soundPath, sizeof to->soundPath, from.soundPath);
    to->dueTime.wYear = from.dueTime.wYear;
    to->dueTime.wMonth = from.dueTime.wMonth;
    to->dueTime.wDay = from.dueTime.wDay;
    to->dueTime.wHour = from.dueTime.wHour;
    to->dueTime.wMinute = from.dueTime.wMinute;
}

bool InsertTaskAt(const TaskRecord &record, int position)
{
    int count = TaskCount();
    if (count >= kTaskCapacity || position < 0 || position > count)
        return false;
    for (int s = taskTable.lastIndex; s >= position; --s)
        CopyTask(&taskTable.slots[s + 1], taskTable.slots[s]);
    CopyTask(&taskTable.slots[position], record);
    ++taskTable.lastIndex;
    return true;
}

bool RemoveTaskAt(int slot)
{
    if (slot < 0 || slot > taskTable.lastIndex)
        return false;
    for (int s = slot; s < taskTable.lastIndex; ++s)
        CopyTask(&taskTable.slots[s], taskTable.slots[s + 1]);
    ZeroSlot(&taskTable.slots[taskTable.lastIndex]);
    --taskTable.lastIndex;
    return true;
}

void ClearTasks()
{
    taskTable.lastIndex = -1;
    ZeroTaskSlots();
}

void ZeroTaskSlots()
{
    memset(taskTable.slots, 0, sizeof taskTable.slots);
}

int FindFirstInvalid()
{
    SYSTEMTIME now;
    ReadLocalTime(&now);
    for (int i = 0; i <= taskTable.lastIndex; ++i) {
        if (IsInvalidTask(taskTable.slots[i].dueTime, now))
            return i;
    }
    return kNoInvalidTask;
}

int FindTaskByDueTime(const SYSTEMTIME &dueTime)
{
    for (int i = 0; i <= taskTable.lastIndex; ++i) {
        if (CompareTaskTime(taskTable.slots[i].dueTime, dueTime) == kSameMinute)
            return i;
    }
    return -1;
}

int StoreEditedTexts(const TaskRecord &edited)
{
    int slot = FindTaskByDueTime(edited.dueTime);
    if (slot < 0)
        return -1;
    TaskRecord &task = taskTable.slots[slot];
    memset(task.name, 0, sizeof task.name);
    memset(task.message, 0, sizeof task.message);
    memset(task.soundPath, 0, sizeof task.soundPath);
    CopyText(task.name, sizeof task.name, edited.name);
    CopyText(task.message, sizeof task.message, edited.message);
    CopyText(task.soundPath, sizeof task.soundPath, edited.soundPath);
    return slot;
}
