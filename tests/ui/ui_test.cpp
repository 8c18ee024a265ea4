#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "app/main_dialog.h"
#include "schedule/task_table.h"
#include "support/driver.h"
#include "support/fake_clock.h"
#include "ui/countdown.h"
#include "ui/interval.h"
#include "ui/messages.h"
#include "ui/panels.h"

namespace {

using Texts = std::vector<std::string>;

Texts ListItems(HWND window, int id)
{
    Texts items;
    for (int i = 0; i < SendDlgItemMessageA(window, id, LB_GETCOUNT, 0, 0); ++i) {
        char text[2048] = "";
        SendDlgItemMessageA(window, id, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

HWND dialog;  // the main dialog of the test at hand, modeless

// Modal windows are answered in their own loop: the first by `answer` if set,
// the rest as a user who agrees; those with buttons of a box (message boxes,
// the file chooser) noted in `shown` with their buttons.
void (*answer)(HWND window);
Texts shown;
std::string nextName;
SYSTEMTIME nextDue;

// A box gets OK, a task dialog its own OK (1000), the add-task dialog filled.
void AnswerAsAUser(HWND window)
{
    if (Text(window) == "时间设置")
        FillAddDialog(window, nextName, fakeNow, nextDue);
    Post(window, Buttons(window).empty() ? 1000 : IDOK);
}

// Wine activates a dialog while it is still hidden; its loop shows it later.
void CALLBACK AnswerOnceShown(HWND window, UINT, UINT_PTR timer, DWORD)
{
    if (!IsWindowVisible(window))
        return;
    KillTimer(window, timer);
    if (!Buttons(window).empty())
        shown.push_back(Text(window) + "|" + Text(window, 0xFFFF) + "|" + Buttons(window));
    void (*answerNow)(HWND) = answer ? answer : AnswerAsAUser;
    answer = nullptr;
    answerNow(window);
}

LRESULT CALLBACK WatchActivations(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = reinterpret_cast<HWND>(wParam);
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    bool dialogBox = code == HCBT_ACTIVATE && lstrcmpA(name, "#32770") == 0;
    if (dialogBox && Text(window) != "ZelbrinV1.0" && !GetPropA(window, "caught")) {
        SetPropA(window, "caught", window);
        SetTimer(window, 0x7E57, 1, AnswerOnceShown);
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

// The clock on 2026-12-6 as hhmmss.
SYSTEMTIME At(int hhmmss)
{
    return Time(2026, 12, 6, hhmmss / 10000, hhmmss / 100 % 100, hhmmss % 100);
}

// An alarm box with this caption, shown by a thread of its own.
HWND AlarmBox(const std::string &caption, DWORD waitMs = 5000)
{
    return WaitWindow(caption, waitMs, "#32770", dialog);
}

// Presses a button that the box shows (Wine's box ends on any posted answer),
// then handles the answer its thread posts back, as the main loop would.
bool Answer(HWND box, int button)
{
    if (!IsWindowVisible(GetDlgItem(box, button)))
        return false;
    Post(box, button);
    for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; Sleep(1)) {
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
            if (message.message == WM_ALARMANSWER)
                return true;
        }
    }
    return false;
}

// A fresh main dialog, the table empty, the clock at 09:58:20.
void Fresh()
{
    static HHOOK hook = SetWindowsHookExA(WH_CBT, WatchActivations, NULL, GetCurrentThreadId());
    ASSERT_TRUE(hook);
    program.dwProcessId = GetCurrentProcessId();
    while (HWND box = AlarmBox("*", 0))
        Answer(box, GetDlgItem(box, IDOK) ? IDOK : IDNO);
    DestroyWindow(dialog);
    answer = nullptr;
    shown.clear();
    ClearTasks();
    intervalRunning = 0;
    fakeNow = At(95820);
    dialog = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(101), NULL, MainDialogProc, 0);
    ShowWindow(dialog, SW_SHOWNORMAL);
}

void Command(int id)
{
    SendMessageA(dialog, WM_COMMAND, id, reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Add(const std::string &name, const SYSTEMTIME &due)
{
    nextName = name;
    nextDue = due;
    Command(1008);
}

// Whether the timer exists; re-armed with the longest period, so that only
// the test's own ticks reach it.
bool Armed(TIMERPROC procedure)
{
    UINT_PTR timer = procedure == ScheduleTimerProc ? 0 : 1;
    return KillTimer(dialog, timer) && SetTimer(dialog, timer, USER_TIMER_MAXIMUM, procedure);
}

// Only a running timer ticks.
void Tick(TIMERPROC procedure, int count = 1)
{
    for (int i = 0; i < count; ++i) {
        ASSERT_TRUE(Armed(procedure)) << "tick " << i << " of a timer that does not run";
        procedure(dialog, WM_TIMER, procedure == ScheduleTimerProc ? 0 : 1, 0);
    }
}

// OK and Cancel do nothing; only a left press on our icon shows the window.
TEST(Ui, MainWindowTrayAndUsage)
{
    Fresh();
    Command(IDOK);
    Command(IDCANCEL);
    EXPECT_TRUE(IsWindowVisible(dialog));
    ShowWindow(dialog, SW_HIDE);
    for (auto [icon, mouse] : {std::pair{0, WM_LBUTTONUP}, {0, WM_RBUTTONUP}, {1, WM_LBUTTONDOWN}}) {
        SendMessageA(dialog, WM_USER + 5, icon, mouse);
        EXPECT_FALSE(IsWindowVisible(dialog)) << "icon " << icon << ", mouse message " << mouse;
    }
    Command(40001);
    Command(8888);
    EXPECT_FALSE(IsWindowVisible(dialog)) << "the usage box showed the hidden window";
    answer = [](HWND chooser) { Post(chooser, IDCANCEL); };
    Command(1034);
    EXPECT_EQ("设置提示音文件路径,点击右边选择文件", Text(dialog, 1033)) << "the chooser cancelled";
    ShowWindow(dialog, SW_MINIMIZE);
    SendMessageA(dialog, WM_USER + 5, 0, WM_LBUTTONDOWN);
    EXPECT_FALSE(IsIconic(dialog));
    ShowWindow(dialog, SW_HIDE);
    SetWindowPos(dialog, NULL, -5000, 5000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(dialog, WM_USER + 5, 0, WM_LBUTTONDOWN);
    EXPECT_TRUE(MonitorFromWindow(dialog, MONITOR_DEFAULTTONULL)) << "shown off every screen";
    ASSERT_EQ(3u, shown.size()) << "the usage boxes and the file chooser";
    EXPECT_EQ(0u, shown[0].find("使用说明|ZelbrinV1.0 （把握时间，不让它与你擦肩而过~）\n\n---"));
    EXPECT_EQ("|1", shown[0].substr(shown[0].size() - 2)) << "the usage box shows OK alone";
}

const wchar_t kSoundFolder[] = L"zelbrin 노래";
std::wstring soundFile;

// "..." on a file whose name code page 936 cannot spell still gives a path
// that names it.
TEST(Ui, AChosenSoundNamesItsFile)
{
    Fresh();
    wchar_t folder[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, folder);
    lstrcatW(folder, kSoundFolder);
    CreateDirectoryW(folder, NULL);
    soundFile = std::wstring(folder) + L"\\노래 Straße.mp3";
    CloseHandle(CreateFileW(soundFile.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    answer = [](HWND chooser) {
        SetDlgItemTextW(chooser, 0x47C, soundFile.c_str());
        Post(chooser, IDOK);
    };
    Command(1034);
    const std::string path = Text(dialog, 1033);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str())) << path;
}

// Two details dialogs open at once: each stores into its own task.
TEST(Ui, TwoDetailsDialogsEachStoreIntoTheirOwnTask)
{
    Fresh();
    Add("A", At(100000));
    Add("B", At(100500));
    SendDlgItemMessageA(dialog, 1007, LB_SETCURSEL, 0, 0);
    answer = [](HWND first) {
        SendDlgItemMessageA(dialog, 1007, LB_SETCURSEL, 1, 0);
        answer = [](HWND second) {
            SetText(second, 1018, "乙");
            Post(second, 1000);
        };
        Command(1019);
        SetText(first, 1018, "甲");
        Post(first, 1000);
    };
    Command(1019);
    EXPECT_EQ((Texts{"甲  —  2026-12-6 | 10:00", "乙  —  2026-12-6 | 10:05"}), ListItems(dialog, 1007));
}

// The add-task dialog's five lists as they start, and the days offered for
// each month of a common and a leap year, refilled as the year changes.
TEST(Ui, TheAddTaskListsOfferTheDaysOfEachMonth)
{
    Fresh();
    answer = [](HWND add) {
        const std::tuple<int, LRESULT, bool> lists[] = {
            {1022, 51, true}, {1023, 12, false}, {1024, 0, false}, {1016, 24, true}, {1017, 60, true}};
        for (auto [list, count, enabled] : lists) {
            EXPECT_EQ(count, SendDlgItemMessageA(add, list, CB_GETCOUNT, 0, 0)) << list;
            EXPECT_EQ(enabled, IsWindowEnabled(GetDlgItem(add, list)) != 0) << list;
        }
        Select(add, 1022, 1);
        EXPECT_EQ(30, SendDlgItemMessageA(add, 1024, CB_GETCOUNT, 0, 0)) << "no month picked";
        const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        for (int year : {1, 2}) {
            Select(add, 1022, year);
            for (int month = 0; month < 12; ++month) {
                Select(add, 1023, month);
                int leapDay = year == 2 && month == 1;
                EXPECT_EQ(days[month] + leapDay, SendDlgItemMessageA(add, 1024, CB_GETCOUNT, 0, 0))
                    << "year " << 2026 + year << ", month " << month + 1;
            }
        }
        Select(add, 1023, 1);
        Select(add, 1022, 1);
        EXPECT_EQ(28, SendDlgItemMessageA(add, 1024, CB_GETCOUNT, 0, 0)) << "not refilled for 2027";
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(add, 1024)));
        char lastYear[16] = "";
        SendDlgItemMessageA(add, 1022, CB_GETLBTEXT, 50, reinterpret_cast<LPARAM>(lastYear));
        EXPECT_STREQ("2076", lastYear);
        Post(add, 1013);
    };
    Command(1008);
}

const char kZeros[] = "0天0时0分0秒";
const char kHint[] = "设置提示音文件路径,点击右边选择文件";

// A plain model of both modes. Here the scheduled panel's part: the tasks by
// due minute (yyyymmddhhmm), whether the countdown runs, and the boxes of the
// GUI thread it expects.
struct ModelTask {
    std::string name, message, sound;
};
std::map<long long, ModelTask> model;
bool modelRunning;
Texts modelShown;
std::mt19937 random;

int Pick(size_t count)
{
    return static_cast<int>(random() % count);
}

long long Minute(const SYSTEMTIME &time)
{
    return (((time.wYear * 100LL + time.wMonth) * 100 + time.wDay) * 100 + time.wHour) * 100 +
           time.wMinute;
}

bool ModelFirstIsInvalid()
{
    return model.empty() || model.begin()->first <= Minute(fakeNow);
}

void ExpectBox(const std::string &caption, const std::string &text)
{
    modelShown.push_back(caption + "|" + text + "|1");
}

SYSTEMTIME FromMinute(long long minute)
{
    return Time(minute / 100000000, minute / 1000000 % 100, minute / 10000 % 100, minute / 100 % 100,
                minute % 100);
}

// The list's labels, then every slot of the table, as the model has them.
Texts ModelPanel()
{
    Texts labels, slots;
    for (auto &[minute, task] : model) {
        SYSTEMTIME due = FromMinute(minute);
        char time[64];
        snprintf(time, sizeof time, "  —  %d-%d-%d | %02d:%02d", due.wYear, due.wMonth, due.wDay,
                 due.wHour, due.wMinute);
        labels.push_back(task.name + time);
        slots.push_back(std::to_string(minute) + "|" + task.name + "|" + task.message + "|" +
                        task.sound);
    }
    slots.resize(kTaskCapacity, "0|||");
    labels.insert(labels.end(), slots.begin(), slots.end());
    return labels;
}

// A due time's unused fields must stay 0: they are added to its minute.
Texts ProductPanel()
{
    Texts panel = ListItems(dialog, 1007);
    for (const TaskRecord &task : taskTable.slots) {
        const SYSTEMTIME &due = task.dueTime;
        long long unused = due.wDayOfWeek + due.wSecond + due.wMilliseconds;
        panel.push_back(std::to_string(Minute(due) + unused) + "|" + task.name + "|" + task.message +
                        "|" + task.soundPath);
    }
    return panel;
}

// "+" answered with `due`; the refusals in the order they are tested.
void AddToModel(const std::string &name, const SYSTEMTIME &due)
{
    Add(name, due);
    long long minute = Minute(due);
    if (minute <= Minute(fakeNow))
        ExpectBox("插入失败", "该任务是个无效任务");
    else if (due.wMonth == 0 || due.wDay == 0)
        ExpectBox("插入失败", "任务日期不完整，请选择月和日");
    else if (model.count(minute))
        ExpectBox("插入失败", "已经存在一个相同时间的任务了");
    else if (model.size() == kTaskCapacity)
        ExpectBox("插入失败", "任务列表已满，最多可添加100个任务");
    else
        model[minute] = {name.substr(0, kNameSize - 1), (name + "!").substr(0, kMessageSize - 1), kHint};
}

// "+": a task later today, one due now or past, one at a listed minute, one
// without a month or day, or the dialog cancelled.
void RandomAdd()
{
    std::string name = Pick(8) ? std::string(1, 'a' + Pick(3)) : std::string(300, 'n');
    SYSTEMTIME due = Plus(fakeNow, 1 + Pick(3));
    int kind = Pick(10);
    if (kind == 0)
        due = Plus(fakeNow, -Pick(20));
    if (kind == 1 && !model.empty())
        due = FromMinute(std::next(model.begin(), Pick(model.size()))->first);
    if (kind == 2) {
        due.wYear += 1;
        (Pick(2) ? due.wMonth : due.wDay) = 0;
    }
    if (kind == 3) {
        answer = [](HWND add) { Post(add, 1013); };
        Add(name, due);
        return;
    }
    AddToModel(name, due);
}

std::string editedName, editedMessage, editedSound;
bool editedStored;

// "任务详情" on the selection: all three texts edited, then "更改" or "取消".
void RandomDetails(int selected)
{
    editedName = "edited " + std::to_string(Pick(10));
    editedMessage = "said " + std::to_string(Pick(10));
    editedSound = "C:\\a b\\" + std::to_string(Pick(10)) + ".mp3";
    editedStored = Pick(2);
    answer = [](HWND details) {
        SetText(details, 1018, editedName);
        SetText(details, 1015, editedMessage);
        SetText(details, 1030, editedSound);
        Post(details, editedStored ? 1000 : 1013);
    };
    Command(1019);
    if (selected >= 0 && editedStored)
        std::next(model.begin(), selected)->second = {editedName, editedMessage, editedSound};
}

// The alarms as the model has them: the open task box (its caption, its text
// and the minute it answers for), whether the countdown's timer runs, and the
// interval's count, timer, box and whether that box answers for the count.
std::string taskBox, taskBoxText;
long long taskBoxMinute;
bool countdownArmed;
bool counting, intervalArmed, intervalBox, awaitingAnswer, minutesEnabled, intervalShown;
// The minutes field: 1 to 35791394 is valid; 0 stands for a refused text.
int minutes;
int secondsLeft;
std::string intervalText;
const std::string kIntervalMessage(kMessageSize - 1, 'm');

// A tick of the countdown rings the first task once it is due, unless a task
// box is open.
void ModelCountdownTick()
{
    if (!taskBox.empty() || model.empty() || !ModelFirstIsInvalid())
        return;
    taskBox = model.begin()->second.name;
    taskBoxText = model.begin()->second.message;
    taskBoxMinute = model.begin()->first;
    countdownArmed = false;
}

// The count runs out: a box opens, or the one still open answers for it.
void ModelIntervalTick()
{
    --secondsLeft;
    intervalText = std::to_string(secondsLeft / 60) + "分" + std::to_string(secondsLeft % 60) + "秒";
    if (secondsLeft > 0)
        return;
    intervalArmed = false;
    awaitingAnswer = true;
    intervalBox = true;
}

void ModelEndCounting()
{
    counting = false;
    intervalArmed = false;
    awaitingAnswer = false;
    minutesEnabled = true;
    intervalText = "0分0秒";
}

void TimePasses()
{
    fakeNow = Plus(fakeNow, Pick(8) ? 1 + Pick(2) : 30);
    fakeNow.wSecond = static_cast<WORD>(Pick(60));
    if (countdownArmed) {
        Tick(ScheduleTimerProc);
        ModelCountdownTick();
    }
    for (int ticks = Pick(150); ticks > 0 && intervalArmed; --ticks) {
        Tick(IntervalTimerProc);
        ModelIntervalTick();
    }
}

// OK on the task box: the task leaves, and a countdown not stopped meanwhile
// goes on at once, ringing the next task if it is due.
void AnswerTaskBox()
{
    HWND box = AlarmBox(taskBox);
    EXPECT_EQ(taskBoxText, Text(box, 0xFFFF));
    EXPECT_EQ("1", Buttons(box));
    ASSERT_TRUE(Answer(box, IDOK));
    model.erase(taskBoxMinute);
    taskBox.clear();
    modelRunning = modelRunning && !model.empty();
    countdownArmed = modelRunning;
    if (modelRunning)
        ModelCountdownTick();
}

// Yes counts again and no ends the count, only for the count the box answers for.
void AnswerIntervalBox(int button)
{
    HWND box = AlarmBox("interval");
    EXPECT_EQ(kIntervalMessage + "\n\n[确定]继续计时，[取消]退出计时", Text(box, 0xFFFF));
    EXPECT_EQ("67", Buttons(box));
    ASSERT_TRUE(Answer(box, button));
    intervalBox = false;
    if (!awaitingAnswer)
        return;
    awaitingAnswer = false;
    if (button == IDYES && minutes > 0) {
        secondsLeft = minutes * 60;
        intervalArmed = true;
        return;
    }
    ModelEndCounting();
    if (button == IDYES)
        ExpectBox("开始失败", "请输入1到35791394之间的分钟数");
}

void ModelCommand(int command, int selected)
{
    if (command == 1009 && selected >= 0)
        model.erase(std::next(model.begin(), selected));
    if (command == 1010)
        model.clear();
    if (command == 1017)
        model.erase(model.begin(), model.upper_bound(Minute(fakeNow)));
    if (command == 1020 || command == 1010 || (command == 1009 && selected == 0)) {
        modelRunning = false;
        countdownArmed = false;
    }
    if (command == 1018 && ModelFirstIsInvalid())
        ExpectBox("执行失败", "首任务是无效任务，无法执行，请养成及时删除无效任务的好习惯~");
    else if (command == 1018)
        modelRunning = countdownArmed = true;
    if (command == 1030 && minutes == 0)
        ExpectBox("开始失败", "请输入1到35791394之间的分钟数");
    else if (command == 1030)
        counting = intervalArmed = true;
    if (command == 1030 && minutes > 0) {
        awaitingAnswer = minutesEnabled = false;
        secondsLeft = minutes * 60;
    }
    if (command == 1031)
        ModelEndCounting();
    if (command == 1004 || command == 1005) {
        intervalShown = command == 1005;
        minutesEnabled = intervalShown && !counting;
    }
}

void ModelStep(int command)
{
    int selected = static_cast<int>(model.size()) - Pick(model.size() + 1) - 1;
    SendDlgItemMessageA(dialog, 1007, LB_SETCURSEL, selected, 0);
    if (command == 0) {
        TimePasses();
    } else if (command == IDOK && !taskBox.empty()) {
        AnswerTaskBox();
    } else if ((command == IDYES || command == IDNO) && intervalBox) {
        AnswerIntervalBox(command);
    } else if (command == 1008) {
        RandomAdd();
    } else if (command == 1019) {
        RandomDetails(selected);
    } else if (command == 1036) {
        const char *texts[] = {"1", "1", "1",  "1",  "1",        "1",          "35791394",
                               "",  "0", "-5", "1x", "35791395", "99999999999"};
        int pick = Pick(std::size(texts));
        SetText(dialog, 1036, texts[pick]);
        minutes = pick < 7 ? atoi(texts[pick]) : 0;
    } else if (command > 1000) {
        Command(command);
        ModelCommand(command, selected);
    }
}

// A panel's input: shown and enabled, or hidden and disabled. Commands reach
// a disabled button too, so only this sees a panel left disabled.
void ExpectShownAndEnabled(int id, bool shownPanel)
{
    EXPECT_EQ(shownPanel, IsWindowVisible(GetDlgItem(dialog, id)) != 0) << id;
    EXPECT_EQ(shownPanel, IsWindowEnabled(GetDlgItem(dialog, id)) != 0) << id;
}

// The captions of the alarm boxes open, once those the model expects have shown.
Texts OpenAlarmBoxes(const Texts &expected)
{
    for (const std::string &caption : expected)
        AlarmBox(caption);
    Texts captions;
    for (HWND box = NULL; (box = FindWindowExA(NULL, box, "#32770", NULL)) != NULL;) {
        if (box != dialog && IsWindowVisible(box))
            captions.push_back(Text(box));
    }
    std::sort(captions.begin(), captions.end());
    return captions;
}

// Random steps of every command of both panels, the alarm boxes answered in
// any order or left open, the clock going forward, against the model; halfway
// the table is filled to its 100 tasks.
TEST(Ui, BothModesFollowAModelOfThem)
{
    const char *seedText = getenv("ZELBRIN_SEED");
    const unsigned seed = seedText ? atoi(seedText) : 2026;
    random.seed(seed);
    Fresh();
    Command(1005);
    SetText(dialog, 1036, "1");
    SetText(dialog, 1016, "interval");
    SetText(dialog, 1015, kIntervalMessage);
    minutes = 1;
    minutesEnabled = intervalShown = true;
    intervalText = "0分0秒";
    const int commands[] = {1008, 1008, 1008, 1008, 1009, 1010, 1017, 1017, 1018,  1018,
                            1018, 1019, 1020, 0,    0,    0,    IDOK, IDOK, IDYES, IDYES,
                            IDNO, IDNO, 1030, 1030, 1031, 1036, 1004, 1005};
    const int steps = 800;
    for (int step = 0; step < steps && !HasFailure(); ++step) {
        for (int minute = 0; step == steps / 2 && model.size() < kTaskCapacity; ++minute)
            AddToModel("full", Time(fakeNow.wYear + 1, 6, 1, minute / 60, minute % 60));
        int command = commands[Pick(std::size(commands))];
        SCOPED_TRACE("seed " + std::to_string(seed) + ", step " + std::to_string(step) + ", command " +
                     std::to_string(command));
        ModelStep(command);
        answer = nullptr;
        Texts boxes;
        if (!taskBox.empty())
            boxes.push_back(taskBox);
        if (intervalBox)
            boxes.push_back("interval");
        std::sort(boxes.begin(), boxes.end());
        EXPECT_EQ(boxes, OpenAlarmBoxes(boxes));
        EXPECT_EQ(modelShown, shown);
        EXPECT_EQ(ModelPanel(), ProductPanel());
        EXPECT_EQ(countdownArmed, Armed(ScheduleTimerProc));
        if (!modelRunning)
            EXPECT_EQ(kZeros, Text(dialog, 1029));
        EXPECT_EQ(intervalArmed, Armed(IntervalTimerProc));
        EXPECT_EQ(counting, intervalRunning == 1);
        EXPECT_EQ(minutesEnabled, IsWindowEnabled(GetDlgItem(dialog, 1036)) != 0);
        for (int id : {1007, 1008, 1009, 1010, 1017, 1018, 1019, 1020})
            ExpectShownAndEnabled(id, !intervalShown);
        for (int id : {1016, 1015, 1033, 1034, 1030, 1031})
            ExpectShownAndEnabled(id, intervalShown);
        EXPECT_EQ(intervalText, Text(dialog, 1035));
        modelShown.clear();
        shown.clear();
    }
}

}  // namespace
