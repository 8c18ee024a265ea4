// Long random sequences of the scheduled-mode commands, ticks and alarms
// against a simple model. After every step the list and the table must
// agree with the model and with each other.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "res/resource.h"
#include "schedule/task_table.h"
#include "schedule/time_rules.h"
#include "support/fake_clock.h"
#include "support/main_window.h"
#include "support/modal_answerer.h"
#include "support/task_script.h"
#include "ui/countdown.h"
#include "ui/task_list.h"

namespace {

struct ModelTask {
    int minute;  // minutes since midnight of the test day
    std::string name;
};

SYSTEMTIME AtMinute(int minute, int second = 0)
{
    return MakeTime(2026, 12, 6, minute / 60, minute % 60, second);
}

struct Model {
    std::vector<ModelTask> tasks;
    bool running = false;
    int now = 9 * 3600;  // seconds since midnight
    int NowMinute() const { return now / 60; }
};

Model model;
HWND window;
std::mt19937 randomEngine;
int counter;
int stepsDone, ringsSeen, refusalsSeen, lostEditsSeen;

int Random(int below) { return static_cast<int>(randomEngine() % below); }

std::string Label(const ModelTask &task)
{
    TaskRecord record = {};
    lstrcpyA(record.name, task.name.c_str());
    record.dueTime = AtMinute(task.minute);
    char label[kTaskLabelSize];
    FormatTaskLabel(record, label);
    return label;
}

// One tick of the real timer, which exists only while the model runs.
void Tick()
{
    model.now += Random(46);
    SetFakeLocalTime(AtMinute(model.NowMinute(), model.now % 60));
    if (!model.running)
        return;
    std::string rang;
    if (!model.tasks.empty() && model.tasks[0].minute == model.NowMinute()) {
        rang = model.tasks[0].name;
        model.tasks.erase(model.tasks.begin());
        model.running = !model.tasks.empty();
    }
    size_t boxes = ModalsSeen().size();
    ScheduleTimerProc(window, WM_TIMER, kScheduleTimerId, 0);
    if (!rang.empty()) {
        ++ringsSeen;
        ASSERT_EQ(boxes + 1, ModalsSeen().size());
        ASSERT_EQ(rang, ModalsSeen().back().caption);
    } else {
        ASSERT_EQ(boxes, ModalsSeen().size());
    }
}

void TickWhileDialogIsOpen()
{
    Tick();
}

void Add()
{
    ModelTask task = {model.NowMinute() - 1 + Random(10), "t" + std::to_string(++counter)};
    AddScript script;
    script.confirm = Random(10) != 0;
    script.name = task.name;
    script.due = AtMinute(task.minute);
    ScriptNextAdd(script);
    size_t boxes = ModalsSeen().size();
    SendCommand(window, IDC_MAIN_ADD);
    if (!script.confirm)
        return;

    auto same = std::find_if(model.tasks.begin(), model.tasks.end(),
                             [&](const ModelTask &t) { return t.minute == task.minute; });
    const char *refusal = nullptr;
    if (task.minute <= model.NowMinute())
        refusal = "该任务是个无效任务";
    else if (same != model.tasks.end())
        refusal = "已经存在一个相同时间的任务了";
    else if (model.tasks.size() == static_cast<size_t>(kTaskCapacity))
        refusal = "任务列表已满，最多可添加100个任务";
    if (refusal) {
        ++refusalsSeen;
        ASSERT_EQ(boxes + 2, ModalsSeen().size());
        ASSERT_EQ(refusal, ModalsSeen().back().text);
        return;
    }
    auto at = std::find_if(model.tasks.begin(), model.tasks.end(),
                           [&](const ModelTask &t) { return t.minute > task.minute; });
    model.tasks.insert(at, task);
}

int SelectRandomItem()
{
    int index = model.tasks.empty() || Random(8) == 0 ? -1 : Random(static_cast<int>(model.tasks.size()));
    SendDlgItemMessageA(window, IDC_MAIN_TASK_LIST, LB_SETCURSEL, index, 0);
    return index;
}

void Delete()
{
    int index = SelectRandomItem();
    SendCommand(window, IDC_MAIN_DELETE);
    if (index < 0)
        return;
    if (index == 0)
        model.running = false;
    model.tasks.erase(model.tasks.begin() + index);
}

void Details()
{
    int index = SelectRandomItem();
    DetailsScript script;
    script.confirm = Random(4) != 0;
    script.name = "r" + std::to_string(++counter);
    if (Random(3) == 0)
        script.whileOpen = TickWhileDialogIsOpen;
    ScriptNextDetails(script);
    int minute = index >= 0 ? model.tasks[index].minute : -1;
    size_t boxes = ModalsSeen().size();
    SendCommand(window, IDC_MAIN_DETAILS);
    if (index < 0 || !script.confirm)
        return;
    auto task = std::find_if(model.tasks.begin(), model.tasks.end(),
                             [&](const ModelTask &t) { return t.minute == minute; });
    if (task == model.tasks.end()) {
        ++lostEditsSeen;
        ASSERT_EQ("该任务已不存在，更改未保存", ModalsSeen().back().text);
        return;
    }
    task->name = script.name;
    (void)boxes;
}

void Execute()
{
    size_t boxes = ModalsSeen().size();
    SendCommand(window, IDC_MAIN_EXECUTE);
    if (model.tasks.empty() || model.tasks[0].minute <= model.NowMinute()) {
        ASSERT_EQ(boxes + 1, ModalsSeen().size());
        ASSERT_EQ("执行失败", ModalsSeen().back().caption);
        return;
    }
    model.running = true;
}

void CheckInvariants()
{
    std::vector<std::string> expected;
    for (const ModelTask &task : model.tasks)
        expected.push_back(Label(task));
    ASSERT_EQ(expected, ListItems(window));
    ASSERT_EQ(static_cast<int>(model.tasks.size()) - 1, taskTable.lastIndex);
    for (int i = 0; i <= taskTable.lastIndex; ++i) {
        ASSERT_EQ(model.tasks[i].name, taskTable.slots[i].name);
        if (i > 0) {
            ASSERT_EQ(kLater, CompareTaskTime(taskTable.slots[i].dueTime,
                                              taskTable.slots[i - 1].dueTime));
        }
    }
    static const TaskRecord zero = {};
    for (int i = taskTable.lastIndex + 1; i < kTaskCapacity; ++i)
        ASSERT_EQ(0, memcmp(&zero, &taskTable.slots[i], sizeof zero)) << "slot " << i;
    ASSERT_EQ(model.running, ScheduleTimerRunning(window));
}

TEST(TaskListRandom, CommandsTicksAndAlarmsKeepListAndTableInStep)
{
    StartAnsweringModals(AnswerScripted);
    const int sequences = 6;
    const int steps = 45;
    for (int sequence = 0; sequence < sequences; ++sequence) {
        SCOPED_TRACE("sequence " + std::to_string(sequence));
        randomEngine.seed(1000 + sequence);
        model = Model();
        ClearTasks();
        SetFakeLocalTime(AtMinute(model.NowMinute()));
        window = CreateMainWindow();
        for (int step = 0; step < steps; ++step) {
            SCOPED_TRACE("step " + std::to_string(step));
            int op = Random(100);
            if (op < 35) {
                Add();
            } else if (op < 43) {
                Delete();
            } else if (op < 45) {
                SendCommand(window, IDC_MAIN_CLEAR);
                model.tasks.clear();
                model.running = false;
            } else if (op < 55) {
                SendCommand(window, IDC_MAIN_PURGE_INVALID);
                model.tasks.erase(std::remove_if(model.tasks.begin(), model.tasks.end(),
                                                 [](const ModelTask &t) { return t.minute <= model.NowMinute(); }),
                                  model.tasks.end());
            } else if (op < 62) {
                Details();
            } else if (op < 74) {
                Execute();
            } else if (op < 77) {
                SendCommand(window, IDC_MAIN_STOP_TASK);
                model.running = false;
            } else {
                Tick();
            }
            if (HasFatalFailure())
                break;
            CheckInvariants();
            if (HasFatalFailure())
                break;
            ++stepsDone;
        }
        DestroyMainWindow(window);
        if (HasFatalFailure())
            break;
    }
    StopAnsweringModals();
    ClearTasks();
    printf("random task commands: %d steps in %d sequences, %d alarms, %d refusals, %d lost edits\n",
           stepsDone, sequences, ringsSeen, refusalsSeen, lostEditsSeen);
    EXPECT_EQ(sequences * steps, stepsDone);
    EXPECT_GT(ringsSeen, 0);
    EXPECT_GT(refusalsSeen, 0);
}

}  // namespace
