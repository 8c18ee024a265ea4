#include <gtest/gtest.h>
#include <string.h>

#include <map>
#include <random>
#include <string>

#include "schedule/task_table.h"
#include "schedule/time_rules.h"
#include "support/fake_clock.h"

namespace {

// Every year divisible by 4 is a leap year, 2100 too.
TEST(TimeRules, Countdowns)
{
    const struct {
        SYSTEMTIME now, due;
        const char *countdown;
    } rows[] = {
        {Time(2013, 12, 31, 23, 59, 59), Time(2014, 1, 1, 0, 0), "0天0时0分1秒"},
        {Time(2015, 12, 31, 12, 0, 0), Time(2017, 3, 1, 18, 30), "426天6时30分0秒"},
        {Time(2100, 2, 28, 0, 0, 0), Time(2100, 3, 1, 9, 5), "2天9时5分0秒"},
        {Time(2013, 1, 1, 0, 0, 0), Time(2013, 12, 31, 18, 5), "364天18时5分0秒"},
    };
    for (const auto &row : rows) {
        char countdown[kTimeTextSize];
        FormatCountdown(row.now, row.due, countdown);
        EXPECT_STREQ(row.countdown, countdown);
    }
}

long long Key(const SYSTEMTIME &t)
{
    return (((t.wYear * 13LL + t.wMonth) * 32 + t.wDay) * 24 + t.wHour) * 60 + t.wMinute;
}

using Model = std::map<long long, std::string>;

// What the table must answer, worked out from the model alone.
int ExpectedPosition(const Model &model, const SYSTEMTIME &due, const SYSTEMTIME &now)
{
    if (Key(due) <= Key(now))
        return RefuseInvalid;
    if (due.wMonth == 0 || due.wDay == 0)
        return RefuseIncompleteDate;
    if (model.count(Key(due)))
        return RefuseSameMinute;
    if (model.size() == kTaskCapacity)
        return RefuseTableFull;
    return static_cast<int>(std::distance(model.begin(), model.lower_bound(Key(due))));
}

TaskRecord Task(const std::string &name, const SYSTEMTIME &due)
{
    TaskRecord task = {};
    strncpy(task.name, name.c_str(), sizeof task.name - 1);
    strncpy(task.message, ("of " + name).c_str(), sizeof task.message - 1);
    task.dueTime = due;
    return task;
}

// Slot for slot the due minute, name and message; every slot above all zero.
std::string TableAsText()
{
    std::string text;
    for (int slot = 0; slot <= taskTable.lastIndex; ++slot) {
        const TaskRecord &task = taskTable.slots[slot];
        text += std::to_string(Key(task.dueTime)) + task.name + task.message + " ";
    }
    const TaskRecord empty = {};
    for (int slot = taskTable.lastIndex + 1; slot < kTaskCapacity; ++slot)
        text += memcmp(&empty, &taskTable.slots[slot], sizeof empty) ? "dirty" : "";
    return text;
}

// Random adds, removals, edits and clears against a sorted map of minute to name.
TEST(TaskTable, RandomOperationsMatchASortedModel)
{
    std::mt19937 random(2026);
    auto pick = [&](int first, int count) { return first + static_cast<int>(random() % count); };
    const SYSTEMTIME now = Time(2026, 6, 15, 12, 30, 20);
    for (int round = 0; round < 200 && !HasFailure(); ++round) {
        ClearTasks();
        Model model;
        for (int step = 0; step < 500 && !HasFailure(); ++step) {
            int operation = pick(0, 100);
            int size = static_cast<int>(model.size());
            std::string name = "n" + std::to_string(step);
            if (operation < 85) {
                SYSTEMTIME due =
                    Time(pick(2026, 2), pick(5, 4) % 8, pick(14, 4) % 17, pick(11, 3), pick(29, 12));
                int expected = ExpectedPosition(model, due, now);
                EXPECT_EQ(expected, FindInsertPosition(due, now));
                int position = expected == RefuseTableFull ? 0 : expected;
                bool inserted = position >= 0 && InsertTaskAt(Task(name, due), position);
                EXPECT_EQ(expected >= 0, inserted) << "a 101st task, or a task not taken";
                if (expected >= 0)
                    model[Key(due)] = name;
            } else if (operation < 90) {
                int slot = pick(-1, size + 2);
                bool exists = slot >= 0 && slot < size;
                EXPECT_EQ(exists, RemoveTaskAt(slot)) << "slot " << slot;
                if (exists)
                    model.erase(std::next(model.begin(), slot));
            } else if (operation < 98 && size > 0) {
                int slot = pick(0, size);
                TaskRecord edited = Task(name, taskTable.slots[slot].dueTime);
                EXPECT_EQ(slot, StoreEditedTexts(edited));
                std::next(model.begin(), slot)->second = name;
                edited.dueTime.wYear = 1999;
                EXPECT_EQ(-1, StoreEditedTexts(edited)) << "a task of another minute was changed";
            } else {
                ClearTasks();
                model.clear();
            }
            std::string expected;
            for (const auto &[key, name] : model)
                expected += std::to_string(key) + name + "of " + name + " ";
            EXPECT_EQ(expected, TableAsText()) << "round " << round << ", step " << step;
        }
    }
}

}  // namespace
