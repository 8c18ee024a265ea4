#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include <map>
#include <random>
#include <string>

#include "schedule/task_table.h"
#include "schedule/time_rules.h"
#include "support/fake_clock.h"

namespace {

TEST(TimeRules, LabelsAndCountdowns)
{
    const struct {
        SYSTEMTIME now, due;
        const char *label, *countdown;
    } rows[] = {
        {MakeTime(2013, 5, 5, 6, 17, 1), MakeTime(2013, 5, 6, 8, 0), "2013-5-6 | 08:00",
         "1天1时42分59秒"},
        {MakeTime(2013, 12, 31, 23, 59, 59), MakeTime(2014, 1, 1, 0, 0), "2014-1-1 | 00:00",
         "0天0时0分1秒"},
        {MakeTime(2015, 12, 31, 12, 0, 0), MakeTime(2017, 3, 1, 18, 30), "2017-3-1 | 18:30",
         "426天6时30分0秒"},
        {MakeTime(2100, 2, 28, 0, 0, 0), MakeTime(2100, 3, 1, 9, 5), "2100-3-1 | 09:05", "2天9时5分0秒"},
        {MakeTime(2013, 5, 5, 10, 5, 30), MakeTime(2013, 5, 5, 10, 4), "2013-5-5 | 10:04",
         "-1天23时58分30秒"},
        {MakeTime(2013, 1, 1, 0, 0, 0), MakeTime(2014, 0, 0, 18, 5), "2014-0-0 | 18:05",
         "364天18时5分0秒"},
    };
    for (const auto &row : rows) {
        char label[kTimeTextSize];
        char countdown[kTimeTextSize];
        FormatTaskTime(row.due, label);
        FormatCountdown(row.now, row.due, countdown);
        EXPECT_STREQ(row.label, label);
        EXPECT_STREQ(row.countdown, countdown) << row.label;
    }
}

// Month 0 has 30 days, as the add-task dialog's day list needs.
TEST(TimeRules, MonthLengthsWithEveryFourthYearALeapYear)
{
    const int lengths[] = {30, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int month = 0; month <= 12; ++month)
        EXPECT_EQ(lengths[month], DaysInMonth(month, 2013)) << "month " << month;
    EXPECT_EQ(29, DaysInMonth(2, 2100));
}

TaskRecord Task(const std::string &name, const SYSTEMTIME &due)
{
    TaskRecord task = {};
    snprintf(task.name, sizeof task.name, "%s", name.c_str());
    snprintf(task.message, sizeof task.message, "message of %s", name.c_str());
    task.dueTime = due;
    return task;
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

void ExpectTableMatches(const Model &model)
{
    ASSERT_EQ(static_cast<int>(model.size()) - 1, taskTable.lastIndex);
    int slot = 0;
    for (const auto &entry : model) {
        const TaskRecord &task = taskTable.slots[slot];
        ASSERT_EQ(entry.first, Key(task.dueTime)) << "slot " << slot;
        ASSERT_EQ(entry.second, task.name) << "slot " << slot;
        ASSERT_EQ("message of " + entry.second, task.message) << "slot " << slot;
        ++slot;
    }
    const TaskRecord empty = {};
    for (; slot < kTaskCapacity; ++slot)
        ASSERT_EQ(0, memcmp(&empty, &taskTable.slots[slot], sizeof empty)) << "slot " << slot;
}

// Random adds, removals, edits and clears against a sorted map of due minute
// to name: the table matches it slot for slot, the slots above all zero.
TEST(TaskTable, RandomOperationsMatchASortedModel)
{
    std::mt19937 random(2026);
    auto pick = [&](int first, int count) {
        return first + static_cast<int>(random() % count);
    };
    const SYSTEMTIME now = MakeTime(2026, 6, 15, 12, 30, 20);
    for (int round = 0; round < 200; ++round) {
        ClearTasks();
        Model model;
        for (int step = 0; step < 500; ++step) {
            int operation = pick(0, 100);
            int size = static_cast<int>(model.size());
            std::string name = "n" + std::to_string(step);
            if (operation < 85) {
                SYSTEMTIME due =
                    MakeTime(pick(2026, 2), pick(5, 4) % 8, pick(14, 4) % 17, pick(11, 3), pick(29, 12));
                int expected = ExpectedPosition(model, due, now);
                ASSERT_EQ(expected, FindInsertPosition(due, now));
                if (expected >= 0 || expected == RefuseTableFull) {
                    bool inserted = InsertTaskAt(Task(name, due), expected >= 0 ? expected : 0);
                    ASSERT_EQ(expected >= 0, inserted);
                }
                if (expected >= 0)
                    model[Key(due)] = name;
            } else if (operation < 90) {
                int slot = pick(-1, size + 2);
                bool exists = slot >= 0 && slot < size;
                ASSERT_EQ(exists, RemoveTaskAt(slot)) << "slot " << slot;
                if (exists)
                    model.erase(std::next(model.begin(), slot));
            } else if (operation < 98 && size > 0) {
                int slot = pick(0, size);
                TaskRecord edited = Task(name, taskTable.slots[slot].dueTime);
                ASSERT_EQ(slot, StoreEditedTexts(edited));
                std::next(model.begin(), slot)->second = name;
                edited.dueTime.wYear = 1999;
                ASSERT_EQ(-1, StoreEditedTexts(edited)) << "a task of another minute was changed";
            } else {
                ClearTasks();
                model.clear();
            }
            ExpectTableMatches(model);
            if (HasFatalFailure())
                return;
        }
    }
}

}  // namespace
