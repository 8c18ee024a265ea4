#ifndef ZELBRIN_SCHEDULE_TASK_TABLE_H
#define ZELBRIN_SCHEDULE_TASK_TABLE_H

#include "system_time.h"

const int kNameSize = 256;
const int kMessageSize = 260;
const int kPathSize = 260;
const int kTaskCapacity = 100;

// A record whose bytes are all zero is an empty slot.
struct TaskRecord {
    char name[kNameSize];
    char message[kMessageSize];
    SYSTEMTIME dueTime;  // only year, month, day, hour and minute are used
    char soundPath[kPathSize];
};

// Slots 0..lastIndex hold tasks in strictly ascending due minute; every slot
// above lastIndex is all zero; the list box item i shows slot i.
struct TaskTable {
    TaskRecord slots[kTaskCapacity];
    int lastIndex;
};

extern TaskTable taskTable;

// FindInsertPosition's refusals, in the order they are tested.
enum InsertRefusal {
    RefuseInvalid = -1,         // not later than the current minute
    RefuseIncompleteDate = -2,  // month or day left at 0: it could never ring
    RefuseSameMinute = -3,      // a stored task already has that minute
    RefuseTableFull = -4,       // all slots are taken
};

const int kNoInvalidTask = -1;

// How many tasks the table holds, and what a slot holds: all zero past the
// last task, so an empty table's first slot counts as an invalid task.
int TaskCount();
const TaskRecord &TaskSlot(int slot);

// A position 0..count, or one of the refusals above.
int FindInsertPosition(const SYSTEMTIME &dueTime, const SYSTEMTIME &now);

// Both keep lastIndex in step with what they did, so no caller can
// miscount. False, with nothing changed, for a full table or a position or
// slot out of range.
bool InsertTaskAt(const TaskRecord &record, int position);
bool RemoveTaskAt(int slot);

void ClearTasks();

// Start-up: zeroes all slots and leaves lastIndex as it is.
void ZeroTaskSlots();

// Due minutes are unique in the table, so a task is found again by its
// due minute after the table may have shifted. Returns the slot or -1.
int FindTaskByDueTime(const SYSTEMTIME &dueTime);

// Stores an edited copy's name, message and sound path into the task with
// the same due minute. Returns that slot, or -1 when the task is gone.
int StoreEditedTexts(const TaskRecord &edited);

// The first slot holding an invalid task at the current local time, or
// kNoInvalidTask.
int FindFirstInvalid();

#endif
