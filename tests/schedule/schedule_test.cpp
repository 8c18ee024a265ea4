#include <gtest/gtest.h>

#include "schedule/task_table.h"
#include "support/fake_clock.h"

// A 101st task is refused wherever it would go, and the table stays whole.
TEST(TaskTable, RefusesThe101stTask)
{
    ClearTasks();
    for (int i = 0; i < kTaskCapacity; ++i)
        InsertTaskAt(TaskRecord{"", "", Time(2026, 12, 7, i / 60, i % 60), ""}, i);
    EXPECT_EQ(RefuseTableFull, FindInsertPosition(Time(2026, 12, 6, 23, 0), Time(2026, 12, 6, 0, 0)));
    EXPECT_FALSE(InsertTaskAt(TaskRecord{"", "", Time(2026, 12, 6, 23, 0), ""}, 0));
    EXPECT_EQ(kTaskCapacity - 1, taskTable.lastIndex);
    EXPECT_EQ(1, taskTable.slots[kTaskCapacity - 1].dueTime.wHour) << "the last task overwritten";
}
