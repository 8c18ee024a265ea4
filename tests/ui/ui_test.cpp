#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <mutex>
#include <random>
#include <sstream>

#include "app/main_dialog.h"
#include "schedule/task_table.h"
#include "sound/mci.h"
#include "support/driver.h"
#include "support/fake_clock.h"
#include "ui/countdown.h"
#include "ui/interval.h"

using Texts = std::vector<std::string>;

HWND dialog;  // the main dialog of the test at hand, modeless

std::string FileName(const std::wstring &path)
{
    wchar_t longPath[MAX_PATH] = L"";
    GetLongPathNameW(path.c_str(), longPath, MAX_PATH);
    const std::wstring whole = longPath;
    return Gbk(whole.substr(whole.rfind(L'\\') + 1));
}

// The multimedia system: each device's file, those sounding, and the verbs
// sent with their files. An open can be held, as a slow disk holds it, for
// 5 s at most.
std::mutex mci;
std::map<std::wstring, std::wstring> opened;
std::map<std::wstring, std::wstring> sounding;
Texts verbs;
std::atomic<bool> openHeld;

void SendMciCommand(const wchar_t *text)
{
    const std::wstring command = text;
    const std::wstring alias = command.substr(command.rfind(L' ') + 1);
    const std::string verb = Gbk(command.substr(0, command.find(L' ')));
    for (DWORD start = GetTickCount(); verb == "open" && openHeld && GetTickCount() - start < 5000;)
        Sleep(1);
    std::lock_guard<std::mutex> lock(mci);
    if (verb == "open")
        opened[alias] = command.substr(6, command.find(L'"', 6) - 6);
    if (verb == "play")
        sounding[alias] = opened[alias];
    if (verb == "close")
        sounding.erase(alias);
    verbs.push_back(verb + " " + FileName(opened[alias]));
}

// On a box's thread an input method makes a window first, as on a Chinese
// Windows. Once asked, a box captioned 会 fails, as when out of resources,
// and the next box the program closes answers only when let land.
std::atomic<bool> failOnce;
std::atomic<bool> holdNext;
std::atomic<DWORD> heldThread;
std::atomic<DWORD> answeredByTest;

int WINAPI StandInMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT style)
{
    static auto show = reinterpret_cast<decltype(&MessageBoxW)>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "MessageBoxW")));
    if (GetWindowThreadProcessId(dialog, NULL) == GetCurrentThreadId())
        return show(owner, text, caption, style);
    HWND ime = CreateWindowExW(0, L"STATIC", L"IME", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
    const bool fail = lstrcmpW(caption, L"会") == 0 && failOnce.exchange(false);
    const int answer = fail ? 0 : show(owner, text, caption, style);
    DestroyWindow(ime);
    if (GetCurrentThreadId() != answeredByTest && holdNext.exchange(false))
        for (heldThread = GetCurrentThreadId(); heldThread;)
            Sleep(1);
    return answer;
}

extern "C" {
#ifdef _WIN64
decltype(&MessageBoxW) standInImport asm("__imp_MessageBoxW") = StandInMessageBox;
#else
decltype(&MessageBoxW) standInImport asm("__imp__MessageBoxW@16") = StandInMessageBox;
#endif
}

namespace {

// Modal windows of this thread, once shown: `handler` takes them, else they
// are noted in `shown` and answered with OK. One still open 3 s later, and
// any menu, fails its step and is ended, never hanging the tier.
void (*handler)(HWND window);
Texts shown;

void CALLBACK EndStuck(HWND window, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(window, timer);
    shown.push_back("still open after its answer: " + ClassOf(window) + " " + Text(window));
    EndMenu();
    EndDialog(window, 0);
}

void CALLBACK HandleOnceShown(HWND window, UINT, UINT_PTR timer, DWORD)
{
    if (!IsWindowVisible(window))
        return;
    SetTimer(window, timer, 3 * kSecondMs, EndStuck);
    if (!handler)
        shown.push_back(Describe(window));
    if (!handler)
        PostMessageW(window, WM_COMMAND, IDOK, 0);
    else
        std::exchange(handler, nullptr)(window);
}

// The main dialog is made while `dialog` is NULL.
LRESULT CALLBACK WatchWindows(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = reinterpret_cast<HWND>(wParam);
    const bool topLevel =
        code == HCBT_CREATEWND && !(reinterpret_cast<CBT_CREATEWNDW *>(lParam)->lpcs->style & WS_CHILD);
    const std::string kind = topLevel ? ClassOf(window) : "";
    if (kind == "#32768" || (kind == "#32770" && dialog))
        SetTimer(window, 1, kind == "#32768" ? 3 * kSecondMs : 1,
                 kind == "#32768" ? EndStuck : HandleOnceShown);
    return CallNextHookEx(NULL, code, wParam, lParam);
}

void Pump()
{
    MSG message;
    while (PeekMessageW(&message, NULL, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

// The windows shown besides the main one and the files sounding, once as
// expected or after 3 s; looked at once at least.
Texts Settle(const Texts &expected)
{
    Texts scene = {"not looked at"};
    for (DWORD start = GetTickCount(); scene != expected && GetTickCount() - start < 3000; Sleep(2)) {
        Pump();
        scene.clear();
        for (HWND window : ShownWindows(GetCurrentProcessId())) {
            if (window != dialog)
                scene.push_back(Describe(window));
        }
        std::lock_guard<std::mutex> lock(mci);
        for (auto &[alias, file] : sounding)
            scene.push_back(FileName(file));
        std::sort(scene.begin(), scene.end());
    }
    return scene;
}

// Presses a button of the box with this caption, then handles the answer its
// thread posts.
bool Answer(const std::string &caption, int button)
{
    for (HWND box : ShownWindows(GetCurrentProcessId())) {
        if (box == dialog || Text(box) != caption)
            continue;
        answeredByTest = GetWindowThreadProcessId(box, NULL);
        HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, answeredByTest);
        Post(box, button);
        const bool ended = WaitForSingleObject(thread, 5000) == WAIT_OBJECT_0;
        CloseHandle(thread);
        Pump();
        return ended;
    }
    return false;
}

void Command(int id)
{
    SendMessageW(dialog, WM_COMMAND, id, reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// An empty file in a folder of the temporary folder.
std::wstring TempFile(const std::wstring &name)
{
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const std::wstring path = temp + name;
    CreateDirectoryW(path.substr(0, path.rfind(L'\\')).c_str(), NULL);
    CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    return path;
}

// A task's sound: the hint or a file. The interval's file has a name code
// page 936 cannot spell.
const std::string kHint = "设置提示音文件路径,点击右边选择文件";
const std::string kSounds[] = {kHint, Gbk(TempFile(L"提示音\\铃.mp3")),
                               Gbk(TempFile(L"提示音\\钟.mp3"))};
const std::wstring kIntervalSound = TempFile(L"노래\\노래 Straße.mp3");

// The add-task dialog as a user fills it, a month or day of 0 left unpicked,
// and ends it: "确定", "取消" or the close box (SC_CLOSE).
std::wstring nextName;
SYSTEMTIME nextDue;
std::wstring nextSound;
UINT nextEnd = IDC_ADD_OK;

void AcceptAddDialog(HWND add)
{
    FillAddDialog(add, nextName, fakeNow, nextDue);
    SetText(add, IDC_ADD_SOUND_PATH, nextSound);
    if (nextEnd == SC_CLOSE)
        PostMessageW(add, WM_SYSCOMMAND, SC_CLOSE, 0);
    else
        Post(add, nextEnd);
}

void AddTask(const std::wstring &name, const SYSTEMTIME &due, const std::wstring &sound)
{
    nextName = name;
    nextDue = due;
    nextSound = sound;
    handler = AcceptAddDialog;
    Command(IDC_MAIN_ADD);
}

// A fresh main dialog with its interval panel shown, at 2027-12-31 23:58:20.
void Fresh()
{
    static HHOOK hook = SetWindowsHookExW(WH_CBT, WatchWindows, NULL, GetCurrentThreadId());
    ASSERT_TRUE(hook);
    DestroyWindow(dialog);
    dialog = NULL;
    ClearTasks();
    fakeNow = Time(2027, 12, 31, 23, 58, 20);
    dialog =
        CreateDialogParamW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(IDD_MAIN), NULL, MainDialogProc, 0);
    ShowWindow(dialog, SW_SHOWNORMAL);
    StopCountdown(dialog);
    StopIntervalCommand(dialog);
    Send(GetDlgItem(dialog, IDC_MAIN_INTERVAL_RADIO), BM_CLICK, 0, 0);
    SetText(dialog, IDC_MAIN_TITLE, "隔时");
    shown.clear();
    std::lock_guard<std::mutex> lock(mci);
    verbs.clear();
}

// "..." puts the chosen file's path into the field.
const int kChooserFileName = 0x47C;
const std::wstring kChosen = TempFile(L"提示音\\铃声.mp3");

TEST(Ui, TheFileChooserGivesThePath)
{
    Fresh();
    handler = [](HWND chooser) {
        SetDlgItemTextW(chooser, kChooserFileName, kChosen.c_str());
        Post(chooser, IDOK);
    };
    Command(IDC_MAIN_BROWSE_SOUND);
    EXPECT_EQ(Gbk(kChosen), Text(dialog, IDC_MAIN_SOUND_PATH));
}

// No alarm waits, nor is one lost: an open held up holds no window, and no
// sound plays after its answer, though more alarms ring and are answered
// meanwhile than the sound's queue holds. A box that could not be shown is
// shown again, and only its answer counts.
TEST(Ui, NoAlarmWaitsAndNoneIsLost)
{
    Fresh();
    AddTask(L"会", Time(2027, 12, 31, 23, 59), Wide(kSounds[1]));
    Command(IDC_MAIN_EXECUTE);
    SetText(dialog, IDC_MAIN_MINUTES, "1");
    SetText(dialog, IDC_MAIN_SOUND_PATH, kIntervalSound);
    Command(IDC_MAIN_START_INTERVAL);
    openHeld = true;
    failOnce = true;
    fakeNow = Time(2027, 12, 31, 23, 59);
    fakeMonotonic += 60000;
    const DWORD start = GetTickCount();
    ScheduleTimerProc(dialog, WM_TIMER, kScheduleTimerId, 0);
    IntervalTimerProc(dialog, WM_TIMER, kIntervalTimerId, 0);
    ASSERT_LT(GetTickCount() - start, 100u) << "the ticks waited for the sound";
    const std::string intervalBox = "隔时|\n\n[确定]继续计时，[取消]退出计时|67|T";
    Settle({intervalBox});
    EXPECT_EQ(1, TaskCount()) << "taken as answered";
    // Shown again and answered: its close waits behind the interval's play.
    for (DWORD wait = GetTickCount(); shown.empty() && GetTickCount() - wait < 3000; Sleep(5))
        Pump();
    EXPECT_EQ(Texts{"会|会!|1|T"}, shown);
    EXPECT_EQ(0, TaskCount()) << "its answer did not remove the task";
    for (int ring = 0; ring < 20; ++ring) {
        EXPECT_TRUE(Answer("隔时", IDYES)) << ring;
        fakeMonotonic += 60000;
        IntervalTimerProc(dialog, WM_TIMER, kIntervalTimerId, 0);
        Settle({intervalBox});
    }
    EXPECT_LT(GetTickCount() - start, 5000u) << "the rings outlasted the open's hold";
    openHeld = false;
    const Texts lastRing = {FileName(kIntervalSound), intervalBox};
    EXPECT_EQ(lastRing, Settle(lastRing));
    EXPECT_TRUE(Answer("隔时", IDNO));
    EXPECT_EQ(Texts{}, Settle({}));
    std::lock_guard<std::mutex> lock(mci);
    const std::string task = FileName(Wide(kSounds[1]));
    const std::string interval = FileName(kIntervalSound);
    const Texts onlyTheLastPlays = {"open " + task, "close " + task, "open " + interval,
                                    "play " + interval, "close " + interval};
    EXPECT_EQ(onlyTheLastPlays, verbs);
}

// A plain model of both modes, as a user would tell them.
struct Task {
    std::string name, message, sound;
};
struct Model {
    std::map<long long, Task> tasks;
    bool running;        // the countdown goes on after its box
    bool armed;          // its timer runs
    long long ringing;   // the minute of the task whose box is open; 0: none
    Task box;            // that task as it rang
    bool counting;       // from "开始计时" to a stop or "否"
    bool intervalArmed;  // its timer runs
    bool intervalBox;    // its box is open
    bool awaiting;       // that box answers for the count
    long long deadline;  // of the count, on the monotonic clock
    std::string countdown = "0天0时0分0秒";
    std::string intervalText = "0分0秒";
    std::string minutes;
    Texts errors;  // the boxes of the GUI thread in this step
} m;

// A name as typed, and the name and message as kept: too long, cut between
// characters.
const struct Name {
    std::wstring typed;
    std::string name, message;
} kNames[] = {
    {L"开会", "开会", "开会!"},
    {std::wstring(200, L'中'), Gbk(std::wstring(127, L'中')), Gbk(std::wstring(129, L'中'))},
};
const std::string kMessage = std::string(129, 'm') + "提醒";
// Minutes typed, and whether "开始计时" takes them.
const std::map<std::string, bool> kMinutes = {{"1", true},        {"2", true},  {"35791394", true},
                                              {"", false},        {"0", false}, {"1x", false},
                                              {"35791395", false}};

long long Minute(const SYSTEMTIME &time)
{
    return Ms(time) / 60000;
}

void ExpectError(const std::string &caption, const std::string &text)
{
    m.errors.push_back(caption + "|" + text + "|1|");
}

void ModelStop()
{
    m.running = false;
    m.armed = false;
    m.countdown = "0天0时0分0秒";
}

// A tick of the countdown: the first task rings once due; until then the
// time from the clock's whole second to its minute shows.
void ModelTick()
{
    const long long s = m.tasks.empty() ? 0 : m.tasks.begin()->first * 60 - Ms(fakeNow) / kSecondMs;
    if (m.tasks.empty() || s > 0)
        m.countdown = std::to_string(s / 86400) + "天" + std::to_string(s / 3600 % 24) + "时" +
                      std::to_string(s / 60 % 60) + "分" + std::to_string(s % 60) + "秒";
    if (m.tasks.empty() || s > 0)
        return;
    m.ringing = m.tasks.begin()->first;
    m.box = m.tasks.begin()->second;
    m.armed = false;
}

// After a task's box: a countdown not stopped meanwhile goes on at once.
void ModelResume()
{
    m.ringing = 0;
    if (m.running && m.tasks.empty())
        return ModelStop();
    m.armed = m.running;
    if (m.running)
        ModelTick();
}

// A tick of the count shows the whole seconds left; at the deadline a box
// opens, or the one still open answers for this count too.
void ModelCountTick()
{
    const long long left = std::max(0LL, (m.deadline - fakeMonotonic + kSecondMs - 1) / kSecondMs);
    m.intervalText = std::to_string(left / 60) + "分" + std::to_string(left % 60) + "秒";
    if (left > 0)
        return;
    m.intervalArmed = false;
    m.awaiting = true;
    m.intervalBox = true;
}

// "开始计时" and "是" count from the field's minutes; a stop and "否" end.
void ModelCount(bool counting)
{
    m.counting = counting;
    m.intervalArmed = counting;
    m.awaiting = false;
    m.deadline = fakeMonotonic + atoi(m.minutes.c_str()) * 60000LL;
    m.intervalText = counting ? m.intervalText : "0分0秒";
}

// Whether the timer runs; re-armed never to tick by itself.
bool Armed(TIMERPROC procedure, UINT_PTR timer)
{
    return KillTimer(dialog, timer) && SetTimer(dialog, timer, USER_TIMER_MAXIMUM, procedure);
}

// Both clocks move on; each timer that runs ticks once, as one held back.
void TimePasses(long long ms)
{
    fakeNow = At(Ms(fakeNow) + ms);
    fakeMonotonic += ms;
    if (m.armed && Armed(ScheduleTimerProc, kScheduleTimerId))
        ScheduleTimerProc(dialog, WM_TIMER, kScheduleTimerId, 0);
    if (m.armed)
        ModelTick();
    if (m.intervalArmed && Armed(IntervalTimerProc, kIntervalTimerId))
        IntervalTimerProc(dialog, WM_TIMER, kIntervalTimerId, 0);
    if (m.intervalArmed)
        ModelCountTick();
}

// "+N": a task due N minutes from the current one, taken if later and not
// listed; "+no month" and "+no day" are refused.
void Add(const std::string &how)
{
    const bool noDate = how == "no month" || how == "no day";
    const long long minute = Minute(fakeNow) + atoi(how.c_str());
    SYSTEMTIME due = At(minute * 60000);
    due.wYear += noDate;
    due.wMonth *= how != "no month";
    due.wDay *= how != "no day";
    const Name &name = kNames[m.tasks.size() % std::size(kNames)];
    const std::string &sound = kSounds[m.tasks.size() % std::size(kSounds)];
    const bool cancelled = how.find(" 取消") != std::string::npos;
    const bool closed = how.find(" 关闭") != std::string::npos;
    nextEnd = cancelled ? IDC_ADD_CANCEL : closed ? SC_CLOSE : IDC_ADD_OK;
    AddTask(name.typed, due, Wide(sound));
    if (nextEnd != IDC_ADD_OK)
        return;
    if (noDate)
        ExpectError("插入失败", "任务日期不完整，请选择月和日");
    else if (minute <= Minute(fakeNow))
        ExpectError("插入失败", "该任务是个无效任务");
    else if (m.tasks.count(minute))
        ExpectError("插入失败", "已经存在一个相同时间的任务了");
    else
        m.tasks[minute] = {name.name, name.message, sound};
}

// "更改" on the second task: its details show it as kept, and all three
// texts change.
void ChangeSecondTask(HWND details)
{
    Task &task = std::next(m.tasks.begin())->second;
    EXPECT_EQ(task.name, Text(details, IDC_DETAILS_NAME));
    EXPECT_EQ(task.message, Text(details, IDC_DETAILS_MESSAGE));
    EXPECT_EQ(task.sound, Text(details, IDC_DETAILS_SOUND_PATH));
    task = {"改期", "改期!", task.sound == kSounds[1] ? kSounds[2] : kSounds[1]};
    SetText(details, IDC_DETAILS_NAME, task.name);
    SetText(details, IDC_DETAILS_MESSAGE, task.message);
    SetText(details, IDC_DETAILS_SOUND_PATH, task.sound);
    Post(details, IDC_DETAILS_CHANGE);
}

// The buttons, with the first task selected, the second, or none.
const struct Button {
    const char *name;
    int id;
    int selected;
} kButtons[] = {{"清空", IDC_MAIN_CLEAR, -1},
                {"删除无效", IDC_MAIN_PURGE_INVALID, -1},
                {"执行", IDC_MAIN_EXECUTE, -1},
                {"停止任务", IDC_MAIN_STOP_TASK, -1},
                {"开始计时", IDC_MAIN_START_INTERVAL, -1},
                {"停止计时", IDC_MAIN_STOP_INTERVAL, -1},
                {"-first", IDC_MAIN_DELETE, 0},
                {"-second", IDC_MAIN_DELETE, 1},
                {"-none", IDC_MAIN_DELETE, -1},
                {"更改", IDC_MAIN_DETAILS, 1}};

bool Press(const std::string &name)
{
    const Button &button = *std::find_if(std::begin(kButtons), std::end(kButtons),
                                         [&](const Button &each) { return name == each.name; });
    if (button.selected >= static_cast<int>(m.tasks.size()))
        return false;
    SendDlgItemMessageW(dialog, IDC_MAIN_TASK_LIST, LB_SETCURSEL, button.selected, 0);
    handler = button.id == IDC_MAIN_DETAILS ? ChangeSecondTask : nullptr;
    Command(button.id);
    const bool firstDue = !m.tasks.empty() && m.tasks.begin()->first <= Minute(fakeNow);
    if (button.id == IDC_MAIN_CLEAR)
        m.tasks.clear();
    if (button.id == IDC_MAIN_PURGE_INVALID)
        m.tasks.erase(m.tasks.begin(), m.tasks.upper_bound(Minute(fakeNow)));
    if (button.id == IDC_MAIN_DELETE && button.selected >= 0)
        m.tasks.erase(std::next(m.tasks.begin(), button.selected));
    if (button.id == IDC_MAIN_CLEAR || button.id == IDC_MAIN_STOP_TASK || button.selected == 0)
        ModelStop();
    if (button.id == IDC_MAIN_EXECUTE && (m.tasks.empty() || firstDue))
        ExpectError("执行失败", "首任务是无效任务，无法执行，请养成及时删除无效任务的好习惯~");
    else if (button.id == IDC_MAIN_EXECUTE)
        m.running = m.armed = true;
    if (button.id == IDC_MAIN_START_INTERVAL && !kMinutes.at(m.minutes))
        ExpectError("开始失败", "请输入1到35791394之间的分钟数");
    else if (button.id == IDC_MAIN_START_INTERVAL)
        ModelCount(true);
    if (button.id == IDC_MAIN_STOP_INTERVAL)
        ModelCount(false);
    if (m.ringing && !m.tasks.count(m.ringing))
        ModelResume();
    return true;
}

// "hold": the next box the program closes answers late; "land": now. The
// late answer must change nothing.
bool Land()
{
    HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, heldThread);
    heldThread = 0;
    const bool landed = thread && WaitForSingleObject(thread, 5000) == WAIT_OBJECT_0;
    CloseHandle(thread);
    Pump();
    return landed;
}

// OK: the task leaves, and a countdown not stopped meanwhile goes on at
// once. Yes counts again and No ends, only for the count the box stands for.
bool AnswerBox(const std::string &name)
{
    const int button = name == "OK" ? IDOK : name == "Yes" ? IDYES : IDNO;
    if (button == IDOK ? !m.ringing : !m.intervalBox)
        return false;
    EXPECT_TRUE(Answer(button == IDOK ? m.box.name : "隔时", button));
    if (button == IDOK)
        m.tasks.erase(m.ringing);
    if (button == IDOK)
        ModelResume();
    m.intervalBox = m.intervalBox && button == IDOK;
    const bool again = button == IDYES && kMinutes.at(m.minutes);
    if (button != IDOK && m.awaiting && button == IDYES && !again)
        ExpectError("开始失败", "请输入1到35791394之间的分钟数");
    if (button != IDOK && m.awaiting)
        ModelCount(again);
    return true;
}

// One step of the script; false, doing nothing, where it cannot be taken.
bool Take(const std::string &step)
{
    if (step[0] == '+')
        Add(step.substr(1));
    else if (isdigit(step[0]))
        TimePasses(atoll(step.c_str()));
    else if (step.rfind("minutes ", 0) == 0)
        SetText(dialog, IDC_MAIN_MINUTES, m.minutes = step.substr(8));
    else if (step == "OK" || step == "Yes" || step == "No")
        return AnswerBox(step);
    else if (step == "hold" && !holdNext && !heldThread)
        holdNext = true;
    else if (step == "hold")
        return false;
    else if (step == "land")
        return Land();
    else
        return Press(step);
    return true;
}

// The boxes open and the files sounding, as the model has them.
Texts ModelScene()
{
    Texts scene;
    if (m.ringing)
        scene.push_back(m.box.name + "|" + m.box.message + "|1|T");
    if (m.ringing && m.box.sound != kHint)
        scene.push_back(FileName(Wide(m.box.sound)));
    if (m.intervalBox)
        scene.push_back("隔时|" + kMessage + "\n\n[确定]继续计时，[取消]退出计时|67|T");
    if (m.intervalBox)
        scene.push_back(FileName(kIntervalSound));
    std::sort(scene.begin(), scene.end());
    return scene;
}

// The countdowns, the minutes field, the timers and the list.
Texts ModelView()
{
    Texts view = {m.countdown, m.intervalText, m.counting ? "locked" : "open",
                  "timers " + std::to_string(m.armed) + std::to_string(m.intervalArmed)};
    for (auto &[minute, task] : m.tasks) {
        const SYSTEMTIME t = At(minute * 60000);
        char when[32];
        snprintf(when, sizeof when, "%d-%d-%d | %02d:%02d", t.wYear, t.wMonth, t.wDay, t.wHour,
                 t.wMinute);
        view.push_back(task.name + "  —  " + when);
    }
    return view;
}

Texts ProductView()
{
    Texts view = {Text(dialog, IDC_MAIN_TASK_COUNTDOWN), Text(dialog, IDC_MAIN_INTERVAL_COUNTDOWN),
                  IsWindowEnabled(GetDlgItem(dialog, IDC_MAIN_MINUTES)) ? "open" : "locked",
                  "timers " + std::to_string(Armed(ScheduleTimerProc, kScheduleTimerId)) +
                      std::to_string(Armed(IntervalTimerProc, kIntervalTimerId))};
    for (int i = 0; i < Send(GetDlgItem(dialog, IDC_MAIN_TASK_LIST), LB_GETCOUNT, 0, 0); ++i) {
        wchar_t label[512] = L"";
        SendDlgItemMessageW(dialog, IDC_MAIN_TASK_LIST, LB_GETTEXT, i, reinterpret_cast<LPARAM>(label));
        view.push_back(Gbk(label));
    }
    return view;
}

// From 23:58:20 on New Year's Eve, every rule in turn: tasks added (on
// December 31 and February 29 too), refused and cancelled; both boxes at once; tasks due under a box;
// stops, deletes and a new count under a box; minutes refused; "更改" on a task that then rings; a
// closed box's answer landing after the next alarm of each mode rang.
const char kScript[] =
    "minutes 1|+1|+86400|清空|+2|+3|+5|+0|+2|+no month|+no day|+-5|执行|1100 ms|+4 取消|+4 关闭|开始计时|-none|"
    "100000 ms|60000 ms|执行|OK|Yes|停止任务|OK|60000 ms|开始计时|No|60000 ms|开始计时|60000 ms|Yes|"
    "minutes 1x|60000 ms|Yes|开始计时|minutes 0|开始计时|minutes 35791395|开始计时|minutes |开始计时|minutes 2|开始计时|"
    "120000 ms|停止计时|Yes|minutes 35791394|开始计时|停止计时|minutes 1|+2|+3|+4|执行|-second|-first|执行|"
    "1800000 ms|-first|+2|执行|120000 ms|清空|+1|+2|执行|60000 ms|hold|删除无效|60000 ms|land|OK|"
    "+1|+2|+3|更改|执行|300000 ms|OK|OK|OK|+1|+2|1800000 ms|执行|删除无效|+2|+3|执行|-second|清空|"
    "minutes 2|开始计时|+1|执行|60000 ms|hold|清空|60000 ms|land|No";

// The script, then random steps of it, each compared with the model.
TEST(Ui, BothModesFollowAModelOfThem)
{
    const char *seedText = getenv("ZELBRIN_SEED");
    std::mt19937 random(seedText ? atoi(seedText) : 2026);
    Fresh();
    const char *codePage = getenv("ZELBRIN_CODE_PAGE");
    EXPECT_EQ(codePage ? atoi(codePage) : 936, static_cast<int>(GetACP()))
        << "not the Windows asked for";
    m = Model{};
    SetText(dialog, IDC_MAIN_MESSAGE, kMessage);
    SetText(dialog, IDC_MAIN_SOUND_PATH, kIntervalSound);
    std::istringstream steps(kScript);
    Texts script;
    for (std::string step; std::getline(steps, step, '|');)
        script.push_back(step);
    const int scripted = static_cast<int>(script.size());
    for (int step = 0; step < scripted + 300 && !HasFailure(); ++step) {
        const std::string taken = script[step < scripted ? step : random() % scripted];
        SCOPED_TRACE("step " + std::to_string(step) + ": " + taken);
        m.errors.clear();
        shown.clear();
        if (!Take(taken) && step < scripted)
            ADD_FAILURE() << "a step of the script could not be taken";
        EXPECT_EQ(ModelScene(), Settle(ModelScene()));
        EXPECT_EQ(m.errors, shown);
        EXPECT_EQ(ModelView(), ProductView());
    }
}

}  // namespace
