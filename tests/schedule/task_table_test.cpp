#include <gtest/gtest.h>
#include <string.h>

#include <iterator>
#include <map>
#include <random>
#include <string>

#include "schedule/task_table.h"
#include "support/fake_clock.h"

namespace {

TaskRecord Task(const std::string &name, const SYSTEMTIME &due)
{
    TaskRecord task = {};
    strcpy(task.name, name.c_str());
    strcpy(task.message, ("message of " + name).c_str());
    strcpy(task.soundPath, "C:\\a b\\c.mp3");
    task.dueTime = due;
    return task;
}

long long Key(const SYSTEMTIME &t)
{
    return ((((t.wYear * 13LL + t.wMonth) * 32 + t.wDay) * 24 + t.wHour) * 60) + t.wMinute;
}

// Random adds, removals, edits, purges and clears against a sorted map of
// due minute to name; after every step the table must match it slot for
// slot, with every slot above lastIndex all zero.
TEST(TaskTable, RandomOperationsMatchASortedModel)
{
    std::mt19937 random(2026);
    const SYSTEMTIME now = MakeTime(2026, 6, 15, 12, 30, 20);
    const SYSTEMTIME later = MakeTime(2026, 6, 16, 12, 31, 0);
    const TaskRecord empty = {};
    int outcomes[5] = {};  // position, invalid, incomplete, same minute, full
    for (int round = 0; round < 200; ++round) {
        ClearTasks();
        std::map<long long, std::string> model;
        for (int step = 0; step < 500; ++step) {
            int op = static_cast<int>(random() % 100);
            if (op < 85) {
                auto pick = [&](int first, int count) { return first + static_cast<int>(random() % count); };
                SYSTEMTIME due = MakeTime(pick(2026, 2), pick(5, 4) % 8, pick(14, 4) % 17, pick(11, 3), pick(29, 12));
                std::string name = "n" + std::to_string(step);
                int expected = Key(due) <= Key(now)                        ? RefuseInvalid
                               : due.wMonth == 0 || due.wDay == 0          ? RefuseIncompleteDate
                               : model.count(Key(due))                     ? RefuseSameMinute
                               : model.size() == 100                       ? RefuseTableFull
                               : static_cast<int>(std::distance(model.begin(), model.lower_bound(Key(due))));
                ASSERT_EQ(expected, FindInsertPosition(due, now));
                ++outcomes[expected >= 0 ? 0 : -expected];
                if (expected >= 0 && InsertTaskAt(Task(name, due), expected))
                    model[Key(due)] = name;
                if (expected == RefuseTableFull) {
                    ASSERT_FALSE(InsertTaskAt(Task(name, due), 0));
                }
            } else if (op < 90) {
                int slot = static_cast<int>(random() % (model.size() + 2)) - 1;
                bool inRange = slot >= 0 && slot < static_cast<int>(model.size());
                ASSERT_EQ(inRange, RemoveTaskAt(slot));
                if (inRange)
                    model.erase(std::next(model.begin(), slot));
            } else if (op < 97 && !model.empty()) {
                int slot = static_cast<int>(random() % model.size());
                TaskRecord edited = Task("edited" + std::to_string(step), taskTable.slots[slot].dueTime);
                ASSERT_EQ(slot, StoreEditedTexts(edited));
                std::next(model.begin(), slot)->second = edited.name;
                edited.dueTime.wYear = 1999;
                ASSERT_EQ(-1, StoreEditedTexts(edited));
            } else if (op < 99) {
                SetFakeLocalTime(later);
                for (int slot = FindFirstInvalid(); slot != kNoInvalidTask; slot = FindFirstInvalid()) {
                    ASSERT_EQ(0, slot);
                    ASSERT_LE(model.begin()->first, Key(later));
                    RemoveTaskAt(slot);
                    model.erase(model.begin());
                }
                ASSERT_TRUE(model.empty() || model.begin()->first > Key(later));
            } else {
                ClearTasks();
                model.clear();
            }
            ASSERT_EQ(static_cast<int>(model.size()) - 1, taskTable.lastIndex);
            int slot = 0;
            for (const auto &entry : model) {
                const TaskRecord &task = taskTable.slots[slot++];
                ASSERT_EQ(entry.first, Key(task.dueTime));
                ASSERT_EQ(entry.second, task.name);
                ASSERT_EQ("message of " + entry.second, task.message);
            }
            for (; slot < kTaskCapacity; ++slot)
                ASSERT_EQ(0, memcmp(&empty, &taskTable.slots[slot], sizeof empty)) << slot;
        }
    }
    for (int outcome = 0; outcome < 5; ++outcome)
        EXPECT_GT(outcomes[outcome], 0) << outcome;  // every outcome was reached
}

}  // namespace
