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

// Texts are cut to their buffers, which are never written past.
TEST(FormatText, KeepsToItsBuffer)
{
    const std::string longText(1000, 'x');
    const struct {
        size_t size;
        const char *text;
        std::string kept;
    } rows[] = {{1, "abc", ""},
                {3, "abc", "ab"},
                {4, "abc", "abc"},
                {1500, longText.c_str(), longText},
                {600, longText.c_str(), longText.substr(0, 599)}};
    for (const auto &row : rows) {
        std::string copied(row.size + 1, '#');
        std::string formatted(row.size + 1, '#');
        CopyText(&copied[0], row.size, row.text);
        FormatText(&formatted[0], row.size, "%s", row.text);
        EXPECT_EQ(row.kept + '\0' + std::string(row.size - row.kept.size(), '#'), copied) << row.size;
        EXPECT_EQ(copied.substr(0, row.kept.size() + 1), formatted.substr(0, row.kept.size() + 1))
            << row.size;
    }
}

// The table's moves at its edges, row by row: where a task would go (or why
// it is refused), inserts and removals out of range, and the table after.
TEST(TaskTable, MovesAtItsEdges)
{
    const SYSTEMTIME now = Time(2026, 12, 6, 10, 0);
    ClearTasks();
    const struct {
        char move;  // f: find the place, i: insert at `at`, r: remove slot `at`
        SYSTEMTIME due;
        int at, result;
        const char *minutes;
    } rows[] = {
        {'f', Time(2026, 12, 6, 10, 0), 0, RefuseInvalid, ""},
        {'f', Time(2026, 12, 6, 9, 0), 0, RefuseInvalid, ""},
        {'f', Time(2027, 0, 6, 10, 0), 0, RefuseIncompleteDate, ""},
        {'f', Time(2026, 12, 6, 10, 1), 0, 0, ""},
        {'i', Time(2026, 12, 6, 10, 5), 1, false, ""},
        {'i', Time(2026, 12, 6, 10, 5), 0, true, "1005"},
        {'i', Time(2026, 12, 6, 10, 1), -1, false, "1005"},
        {'f', Time(2026, 12, 6, 10, 5), 0, RefuseSameMinute, "1005"},
        {'f', Time(2026, 12, 7, 10, 2), 0, 1, "1005"},
        {'i', Time(2026, 12, 6, 10, 2), 0, true, "1002 1005"},
        {'r', {}, 2, false, "1002 1005"},
        {'r', {}, -1, false, "1002 1005"},
        {'r', {}, 0, true, "1005"},
        {'r', {}, 0, true, ""},
    };
    for (const auto &row : rows) {
        int result = row.move == 'f' ? FindInsertPosition(row.due, now) : 0;
        TaskRecord task = {"name", "message", row.due, "sound"};
        result = row.move == 'i'   ? InsertTaskAt(task, row.at)
                 : row.move == 'r' ? RemoveTaskAt(row.at)
                                   : result;
        std::string minutes;
        for (int slot = 0; slot <= taskTable.lastIndex; ++slot)
            minutes += (slot ? " " : "") + std::to_string(taskTable.slots[slot].dueTime.wHour * 100 +
                                                          taskTable.slots[slot].dueTime.wMinute);
        EXPECT_EQ(row.result, result) << row.move << " " << row.at;
        EXPECT_EQ(row.minutes, minutes) << row.move << " " << row.at;
        EXPECT_EQ(0, taskTable.slots[taskTable.lastIndex + 1].dueTime.wYear) << "a slot left behind";
    }
}

}  // namespace
