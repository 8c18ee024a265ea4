#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>

#include "schedule/task_table.h"
#include "schedule/time_rules.h"
#include "support/fake_clock.h"

namespace {

TEST(TimeRules, CompareLabelCountdownAndCalendar)
{
    const struct { SYSTEMTIME a, b; int expected; } compared[] = {
        {MakeTime(2013, 5, 5, 10, 0), MakeTime(2013, 5, 5, 10, 0, 59), 0},
        {MakeTime(2014, 1, 1, 0, 0), MakeTime(2013, 12, 31, 23, 59), 1},
        {MakeTime(2013, 5, 31, 23, 59), MakeTime(2013, 6, 1, 0, 0), 2},
        {MakeTime(2013, 5, 6, 0, 0), MakeTime(2013, 5, 5, 23, 59), 1},
        {MakeTime(2013, 5, 5, 10, 59), MakeTime(2013, 5, 5, 11, 0), 2},
        {MakeTime(2013, 5, 5, 10, 2), MakeTime(2013, 5, 5, 10, 1), 1},
        {SYSTEMTIME{}, MakeTime(1, 1, 1, 0, 0), 2},  // an empty slot is earlier than any time
    };
    for (const auto &row : compared)
        EXPECT_EQ(row.expected, CompareTaskTime(row.a, row.b)) << &row - compared;
    const struct { SYSTEMTIME now, due; const char *label, *countdown; } texts[] = {
        {MakeTime(2013, 5, 5, 6, 17, 1), MakeTime(2013, 5, 6, 8, 0), "2013-5-6 | 08:00", "1天1时42分59秒"},
        {MakeTime(2013, 12, 31, 23, 59, 59), MakeTime(2014, 1, 1, 0, 0), "2014-1-1 | 00:00", "0天0时0分1秒"},
        {MakeTime(2015, 12, 31, 12, 0, 0), MakeTime(2017, 3, 1, 18, 30), "2017-3-1 | 18:30", "426天6时30分0秒"},
        {MakeTime(2100, 2, 28, 0, 0, 0), MakeTime(2100, 3, 1, 9, 5), "2100-3-1 | 09:05", "2天9时5分0秒"},
        {MakeTime(2013, 5, 5, 10, 5, 30), MakeTime(2013, 5, 5, 10, 4), "2013-5-5 | 10:04", "-1天23时58分30秒"},
        {MakeTime(2013, 1, 1, 0, 0, 0), MakeTime(2014, 0, 0, 18, 5), "2014-0-0 | 18:05", "364天18时5分0秒"},
    };
    char label[kTimeTextSize], countdown[kTimeTextSize];
    for (const auto &row : texts) {
        FormatTaskTime(row.due, label);
        FormatCountdown(row.now, row.due, countdown);
        EXPECT_EQ(std::string(row.label) + " " + row.countdown, std::string(label) + " " + countdown);
    }
    const int lengths[] = {30, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int month = 0; month <= 12; ++month)
        EXPECT_EQ(lengths[month], DaysInMonth(month, 2013)) << month;
    EXPECT_TRUE(DaysInMonth(2, 2016) == 29 && DaysInMonth(2, 2100) == 29);
    EXPECT_EQ(61 + 60 + 365 + 7, DayOfYear(2016, 3, 1) + DayOfYear(2013, 3, 1) + DayOfYear(2013, 12, 31) + DayOfYear(2013, 0, 7));
}

TaskRecord Task(const std::string &name, const SYSTEMTIME &due)
{
    TaskRecord task = {};
    snprintf(task.name, sizeof task.name, "%s", name.c_str());
    snprintf(task.message, sizeof task.message, "message of %s", name.c_str());
    return task.dueTime = due, task;
}

long long Key(const SYSTEMTIME &t) { return (((t.wYear * 13LL + t.wMonth) * 32 + t.wDay) * 24 + t.wHour) * 60 + t.wMinute; }

// Random adds, removals, edits and clears against a sorted map of due minute
// to name: the table matches it slot for slot, the slots above all zero.
TEST(TaskTable, RandomOperationsMatchASortedModel)
{
    std::mt19937 random(2026);
    auto pick = [&](int first, int count) { return first + static_cast<int>(random() % count); };
    const SYSTEMTIME now = MakeTime(2026, 6, 15, 12, 30, 20);
    const TaskRecord empty = {};
    for (int round = 0; round < 200; ++round) {
        ClearTasks();
        std::map<long long, std::string> model;
        for (int step = 0; step < 500; ++step) {
            int op = pick(0, 100), size = static_cast<int>(model.size());
            if (op < 85) {
                SYSTEMTIME due = MakeTime(pick(2026, 2), pick(5, 4) % 8, pick(14, 4) % 17, pick(11, 3), pick(29, 12));
                int expected = Key(due) <= Key(now)               ? RefuseInvalid
                               : due.wMonth == 0 || due.wDay == 0 ? RefuseIncompleteDate
                               : model.count(Key(due))            ? RefuseSameMinute
                               : size == 100                      ? RefuseTableFull
                                    : static_cast<int>(std::distance(model.begin(), model.lower_bound(Key(due))));
                ASSERT_EQ(expected, FindInsertPosition(due, now));
                std::string name = "n" + std::to_string(step);
                ASSERT_EQ(expected >= 0, (expected >= 0 || expected == RefuseTableFull) &&
                                             InsertTaskAt(Task(name, due), std::max(expected, 0)));
                if (expected >= 0)
                    model[Key(due)] = name;
            } else if (op < 90) {
                int slot = pick(-1, size + 2);
                ASSERT_EQ(slot >= 0 && slot < size, RemoveTaskAt(slot));
                if (slot >= 0 && slot < size)
                    model.erase(std::next(model.begin(), slot));
            } else if (op < 98 && size > 0) {
                int slot = pick(0, size);
                TaskRecord edited = Task("e" + std::to_string(step), taskTable.slots[slot].dueTime);
                ASSERT_EQ(slot, StoreEditedTexts(edited));
                std::next(model.begin(), slot)->second = edited.name;
                edited.dueTime.wYear = 1999;
                ASSERT_EQ(-1, StoreEditedTexts(edited));
            } else {
                ClearTasks();
                model.clear();
            }
            ASSERT_EQ(static_cast<int>(model.size()) - 1, taskTable.lastIndex);
            int slot = 0;
            for (const auto &entry : model) {
                const TaskRecord &task = taskTable.slots[slot++];
                ASSERT_EQ(entry.first, Key(task.dueTime));
                ASSERT_EQ(entry.second + "|message of " + entry.second, std::string(task.name) + "|" + task.message);
            }
            for (; slot < kTaskCapacity; ++slot)
                ASSERT_EQ(0, memcmp(&empty, &taskTable.slots[slot], sizeof empty)) << slot;
        }
    }
}

}  // namespace
