#include <gtest/gtest.h>

#include <string>

#include "schedule/format_text.h"
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

// Texts are cut to their buffers and never written past them.
TEST(FormatText, KeepsToItsBuffer)
{
    const std::string text(900, 'x');
    for (size_t size : {1, 600, 901, 1500}) {
        std::string copied(size + 1, '#');
        std::string formatted(size + 1, '#');
        const std::string kept = text.substr(0, size - 1) + '\0';
        CopyText(&copied[0], size, text.c_str());
        FormatText(&formatted[0], size, "%s", text.c_str());
        EXPECT_EQ(kept + std::string(size + 1 - kept.size(), '#'), copied) << size;
        EXPECT_EQ(kept, formatted.substr(0, kept.size())) << size;
    }
}

// The moves the window never asks for: inserts and removals out of range,
// and the 101st task, wherever it would go.
TEST(TaskTable, RefusesMovesOutOfRange)
{
    ClearTasks();
    const TaskRecord task = {"name", "message", Time(2026, 12, 6, 10, 5), "sound"};
    const struct {
        bool insert;
        int at, lastIndex;
        bool done;
    } rows[] = {{true, 1, -1, false}, {true, -1, -1, false}, {true, 0, 0, true},
                {false, 1, 0, false}, {false, -1, 0, false}, {false, 0, -1, true}};
    for (const auto &row : rows) {
        EXPECT_EQ(row.done, row.insert ? InsertTaskAt(task, row.at) : RemoveTaskAt(row.at)) << row.at;
        EXPECT_EQ(row.lastIndex, taskTable.lastIndex) << row.at;
    }
    EXPECT_EQ(0, taskTable.slots[0].dueTime.wYear) << "a removed task's slot left filled";
    for (int i = 0; i < kTaskCapacity; ++i)
        InsertTaskAt(TaskRecord{"", "", Time(2026, 12, 7, i / 60, i % 60), ""}, i);
    EXPECT_EQ(RefuseTableFull, FindInsertPosition(Time(2026, 12, 6, 23, 0), Time(2026, 12, 6, 0, 0)));
    EXPECT_FALSE(InsertTaskAt(task, 0));
    EXPECT_EQ(kTaskCapacity - 1, taskTable.lastIndex);
}

}  // namespace
