#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "schedule/task_table.h"
#include "schedule/time_rules.h"
#include "support/fake_clock.h"

namespace {

const SYSTEMTIME kNow = MakeTime(2026, 12, 6, 10, 0, 30);

TaskRecord MakeTask(const char *name, const SYSTEMTIME &due)
{
    TaskRecord record = {};
    snprintf(record.name, sizeof record.name, "%s", name);
    snprintf(record.message, sizeof record.message, "msg %s", name);
    snprintf(record.soundPath, sizeof record.soundPath, "C:\\%s.mp3", name);
    record.dueTime = due;
    return record;
}

// Adds as the add command will: ask for the position, insert, count.
int Add(const TaskRecord &record, const SYSTEMTIME &now = kNow)
{
    int position = FindInsertPosition(record.dueTime, now);
    if (position >= 0) {
        InsertTaskAt(record, position);
        ++taskTable.lastIndex;
    }
    return position;
}

void Remove(int slot)
{
    RemoveTaskAt(slot);
    --taskTable.lastIndex;
}

bool IsZeroSlot(int slot)
{
    static const TaskRecord zero = {};
    return memcmp(&taskTable.slots[slot], &zero, sizeof zero) == 0;
}

std::string Names()
{
    std::string names;
    for (int i = 0; i <= taskTable.lastIndex; ++i)
        names += std::string(taskTable.slots[i].name) + " ";
    return names;
}

class TaskTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearTasks();
        SetFakeLocalTime(kNow);
    }
};

TEST_F(TaskTableTest, StartsEmptyWithLastIndexMinusOne)
{
    // Start-up zeroes the slots but leaves lastIndex alone.
    taskTable.lastIndex = -1;
    taskTable.slots[5].name[0] = 'x';
    ZeroTaskSlots();
    EXPECT_EQ(-1, taskTable.lastIndex);
    EXPECT_TRUE(IsZeroSlot(5));
}

TEST_F(TaskTableTest, KeepsTasksSortedByDueMinute)
{
    EXPECT_EQ(0, Add(MakeTask("c", MakeTime(2026, 12, 6, 10, 5))));
    EXPECT_EQ(0, Add(MakeTask("a", MakeTime(2026, 12, 6, 10, 1))));
    EXPECT_EQ(1, Add(MakeTask("b", MakeTime(2026, 12, 6, 10, 3))));
    EXPECT_EQ(3, Add(MakeTask("d", MakeTime(2027, 1, 1, 0, 0))));
    EXPECT_EQ("a b c d ", Names());
    EXPECT_STREQ("msg b", taskTable.slots[1].message);
    EXPECT_STREQ("C:\\c.mp3", taskTable.slots[2].soundPath);
}

TEST_F(TaskTableTest, RefusesInTheDocumentedOrder)
{
    // The current minute is invalid; the next one is accepted.
    EXPECT_EQ(RefuseInvalid, Add(MakeTask("now", MakeTime(2026, 12, 6, 10, 0))));
    EXPECT_EQ(0, Add(MakeTask("next", MakeTime(2026, 12, 6, 10, 1))));
    // The same minute under another name is refused.
    EXPECT_EQ(RefuseSameMinute, Add(MakeTask("other", MakeTime(2026, 12, 6, 10, 1))));
    // Past and equal to a stored minute: the invalid test comes first.
    SYSTEMTIME later = MakeTime(2026, 12, 6, 10, 2, 0);
    EXPECT_EQ(RefuseInvalid, FindInsertPosition(MakeTime(2026, 12, 6, 10, 1), later));
    // A month or day left unselected can never ring.
    EXPECT_EQ(RefuseIncompleteDate, Add(MakeTask("m0", MakeTime(2027, 0, 5, 9, 0))));
    EXPECT_EQ(RefuseIncompleteDate, Add(MakeTask("d0", MakeTime(2027, 5, 0, 9, 0))));
    EXPECT_EQ(RefuseInvalid, Add(MakeTask("zero", SYSTEMTIME{})));
    EXPECT_EQ(0, taskTable.lastIndex);
}

TEST_F(TaskTableTest, RefusesTheHundredAndFirstTaskButStillReportsDuplicates)
{
    for (int i = 0; i < kTaskCapacity; ++i)
        ASSERT_EQ(i, Add(MakeTask("t", MakeTime(2027, 1, 1 + i / 24, i % 24, 0))));
    EXPECT_EQ(kTaskCapacity - 1, taskTable.lastIndex);
    EXPECT_EQ(RefuseTableFull, Add(MakeTask("late", MakeTime(2030, 1, 1, 0, 0))));
    EXPECT_EQ(RefuseTableFull, Add(MakeTask("early", MakeTime(2026, 12, 7, 0, 0))));
    EXPECT_EQ(RefuseSameMinute, Add(MakeTask("dup", MakeTime(2027, 1, 1, 0, 0))));
    EXPECT_EQ(RefuseInvalid, Add(MakeTask("past", MakeTime(2020, 1, 1, 0, 0))));
    // Even a direct insert into a full table writes nothing.
    InsertTaskAt(MakeTask("forced", MakeTime(2026, 12, 7, 0, 0)), 0);
    EXPECT_STREQ("t", taskTable.slots[0].name);
    EXPECT_EQ(kTaskCapacity - 1, taskTable.lastIndex);

    ClearTasks();
    EXPECT_EQ(-1, taskTable.lastIndex);
    for (int i = 0; i < kTaskCapacity; ++i)
        EXPECT_TRUE(IsZeroSlot(i)) << i;
}

TEST_F(TaskTableTest, RemovalMovesLaterTasksDownAndZeroesTheFreedSlot)
{
    Add(MakeTask("a", MakeTime(2027, 1, 1, 0, 1)));
    Add(MakeTask("b-with-a-long-name", MakeTime(2027, 1, 1, 0, 2)));
    Add(MakeTask("c", MakeTime(2027, 1, 1, 0, 3)));

    Remove(0);
    EXPECT_EQ("b-with-a-long-name c ", Names());
    EXPECT_TRUE(IsZeroSlot(2));

    // A shorter text over a longer one leaves no tail behind.
    Remove(0);
    EXPECT_EQ("c ", Names());
    EXPECT_EQ(0, memcmp(taskTable.slots[0].name + 2, "\0\0\0\0\0\0\0\0", 8));
    EXPECT_TRUE(IsZeroSlot(1));

    Remove(0);
    EXPECT_EQ(-1, taskTable.lastIndex);
    EXPECT_TRUE(IsZeroSlot(0));
}

TEST_F(TaskTableTest, RemovingTheLastTaskOnlyZeroesThatSlot)
{
    Add(MakeTask("a", MakeTime(2027, 1, 1, 0, 1)));
    Add(MakeTask("b", MakeTime(2027, 1, 1, 0, 2)));
    Remove(1);
    EXPECT_EQ("a ", Names());
    EXPECT_TRUE(IsZeroSlot(1));
}

TEST_F(TaskTableTest, FindFirstInvalidReadsTheClockEachTime)
{
    EXPECT_EQ(kNoInvalidTask, FindFirstInvalid());
    Add(MakeTask("a", MakeTime(2026, 12, 6, 10, 1)));
    Add(MakeTask("b", MakeTime(2026, 12, 6, 10, 2)));
    Add(MakeTask("c", MakeTime(2026, 12, 6, 11, 0)));
    EXPECT_EQ(kNoInvalidTask, FindFirstInvalid());

    SetFakeLocalTime(MakeTime(2026, 12, 6, 10, 2, 1));
    EXPECT_EQ(0, FindFirstInvalid());
    Remove(0);
    EXPECT_EQ(0, FindFirstInvalid());
    Remove(0);
    EXPECT_EQ(kNoInvalidTask, FindFirstInvalid());
    EXPECT_EQ("c ", Names());
}

TEST_F(TaskTableTest, CopiesOnlyTheTextsAndTheFiveDueFields)
{
    TaskRecord record = MakeTask("x", MakeTime(2027, 3, 4, 5, 6, 7));
    record.dueTime.wDayOfWeek = 2;
    record.dueTime.wMilliseconds = 500;
    memset(record.name, 'n', sizeof record.name);  // no terminator at all
    Add(record);
    const TaskRecord &stored = taskTable.slots[0];
    EXPECT_EQ(255u, strlen(stored.name));
    EXPECT_EQ(0, stored.dueTime.wSecond);
    EXPECT_EQ(0, stored.dueTime.wDayOfWeek);
    EXPECT_EQ(0, stored.dueTime.wMilliseconds);
    EXPECT_EQ(6, stored.dueTime.wMinute);
}

TEST_F(TaskTableTest, EditedTextsFindTheirTaskAfterTheTableShifted)
{
    Add(MakeTask("a", MakeTime(2027, 1, 1, 0, 1)));
    Add(MakeTask("b", MakeTime(2027, 1, 1, 0, 2)));
    TaskRecord edited = taskTable.slots[1];  // the copy a details dialog edits
    snprintf(edited.name, sizeof edited.name, "b2");
    edited.message[0] = '\0';
    edited.dueTime.wSecond = 59;  // seconds never take part

    Remove(0);  // an alarm rang meanwhile: "b" moved to slot 0
    Add(MakeTask("c", MakeTime(2027, 1, 1, 0, 0)));  // and "c" went before it
    EXPECT_EQ(1, FindTaskByDueTime(edited.dueTime));
    EXPECT_EQ(1, StoreEditedTexts(edited));
    EXPECT_EQ("c b2 ", Names());
    EXPECT_STREQ("", taskTable.slots[1].message);
    EXPECT_STREQ("C:\\b.mp3", taskTable.slots[1].soundPath);
    EXPECT_STREQ("msg c", taskTable.slots[0].message);

    Remove(1);
    EXPECT_EQ(-1, FindTaskByDueTime(edited.dueTime));
    EXPECT_EQ(-1, StoreEditedTexts(edited));
    EXPECT_EQ("c ", Names());
    EXPECT_TRUE(IsZeroSlot(1));
}

// Random sequences of the table's operations against a sorted vector of
// minutes; after every step the invariants must hold.
TEST_F(TaskTableTest, RandomSequencesKeepTheInvariants)
{
    std::mt19937 random(20261206);
    int refusals[5] = {};
    for (int sequence = 0; sequence < 200; ++sequence) {
        ClearTasks();
        std::vector<int> model;  // minutes after kNow's minute, sorted
        SYSTEMTIME now = kNow;
        // A third of the sequences rarely remove, so that they fill the table.
        int addShare = sequence % 3 == 0 ? 93 : 75;
        for (int step = 0; step < 400; ++step) {
            int op = static_cast<int>(random() % 100);
            if (op < addShare) {
                int offset = static_cast<int>(random() % 160) - 10;
                int minuteOfDay = kNow.wHour * 60 + kNow.wMinute + offset;
                SYSTEMTIME due = MakeTime(2026, 12, 6, minuteOfDay / 60, minuteOfDay % 60);
                char name[16];
                snprintf(name, sizeof name, "m%d", offset);
                int result = Add(MakeTask(name, due), now);

                bool exists = std::find(model.begin(), model.end(), offset) != model.end();
                int expected;
                if (offset <= 0)
                    expected = RefuseInvalid;
                else if (exists)
                    expected = RefuseSameMinute;
                else if (model.size() == static_cast<size_t>(kTaskCapacity))
                    expected = RefuseTableFull;
                else
                    expected = static_cast<int>(std::lower_bound(model.begin(), model.end(), offset) - model.begin());
                ASSERT_EQ(expected, result) << "offset " << offset;
                if (result >= 0)
                    model.insert(model.begin() + result, offset);
                else
                    ++refusals[-result];
            } else if (op < 97) {
                if (model.empty())
                    continue;
                int slot = static_cast<int>(random() % model.size());
                Remove(slot);
                model.erase(model.begin() + slot);
            } else {
                ClearTasks();
                model.clear();
            }

            ASSERT_EQ(static_cast<int>(model.size()) - 1, taskTable.lastIndex);
            for (int i = 0; i <= taskTable.lastIndex; ++i) {
                char expectedName[16];
                snprintf(expectedName, sizeof expectedName, "m%d", model[i]);
                ASSERT_STREQ(expectedName, taskTable.slots[i].name) << "slot " << i;
                if (i > 0) {
                    ASSERT_EQ(kLater, CompareTaskTime(taskTable.slots[i].dueTime,
                                                      taskTable.slots[i - 1].dueTime));
                }
            }
            for (int i = taskTable.lastIndex + 1; i < kTaskCapacity; ++i)
                ASSERT_TRUE(IsZeroSlot(i)) << "slot " << i;
        }
    }
    // The sequences did reach every refusal the search can give.
    EXPECT_GT(refusals[-RefuseInvalid], 0);
    EXPECT_GT(refusals[-RefuseSameMinute], 0);
    EXPECT_GT(refusals[-RefuseTableFull], 0);
}

}  // namespace
