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

// The multimedia system: each device's file, those sounding, the verbs sent. An open can be held, as a
// slow disk holds it, 5 s at most.
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
    if (alias == L"all")
        sounding.clear();
    verbs.push_back(verb + " " + FileName(opened[alias]));
}

// On a box's thread an input method makes a window first, as on a Chinese Windows. Asked, a box
// captioned 会 fails once (out of resources), or the next task's box comes up only when let land.
std::atomic<bool> failOnce;
std::atomic<bool> lateNext;
std::atomic<DWORD> heldThread;

int WINAPI StandInMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT style)
{
    static auto show = reinterpret_cast<decltype(&MessageBoxW)>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "MessageBoxW")));
    if (GetWindowThreadProcessId(dialog, NULL) == GetCurrentThreadId())
        return show(owner, text, caption, style);
    HWND ime = CreateWindowExW(0, L"STATIC", L"IME", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
    if ((style & MB_TYPEMASK) == MB_OK && lateNext.exchange(false))
        for (heldThread = GetCurrentThreadId(); heldThread;)
            Sleep(1);
    const bool fails = lstrcmpW(caption, L"会") == 0 && failOnce.exchange(false);
    const int answer = fails ? 0 : show(owner, text, caption, style);
    DestroyWindow(ime);
    return answer;
}

extern "C" {
#ifdef _WIN64
decltype(&MessageBoxW) standInImport asm("__imp_MessageBoxW") = StandInMessageBox;
#else
decltype(&MessageBoxW) standInImport asm("__imp__MessageBoxW@16") = StandInMessageBox;
#endif
}

// Modal windows of this thread, once shown: `handler` takes them, else they are noted in `shown` and
// answered OK. One open 3 s on, or a menu, is ended.
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
    if (handler)
        return std::exchange(handler, nullptr)(window);
    shown.push_back(Describe(window));
    PostMessageW(window, WM_COMMAND, IDOK, 0);
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

// The windows shown besides the main one and the files sounding: as expected, or after 3 s.
Texts Settle(const Texts &expected)
{
    Texts scene = {"not looked at"};
    for (DWORD start = GetTickCount(); scene != expected && GetTickCount() - start < 3000; Sleep(2)) {
        Pump();
        scene.clear();
        for (HWND window : ShownWindows(GetCurrentProcessId()))
            if (window != dialog)
                scene.push_back(Describe(window));
        std::lock_guard<std::mutex> lock(mci);
        for (auto &[alias, file] : sounding)
            scene.push_back(FileName(file));
        std::sort(scene.begin(), scene.end());
    }
    return scene;
}

// A button of the box with this caption, and the answer its thread posts.
bool Answer(const std::string &caption, int button)
{
    for (HWND box : ShownWindows(GetCurrentProcessId())) {
        if (box == dialog || Text(box) != caption)
            continue;
        HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, GetWindowThreadProcessId(box, NULL));
        Post(box, button);
        const bool ended = WaitForSingleObject(thread, 5000) == WAIT_OBJECT_0;
        CloseHandle(thread);
        Pump();
        return ended;
    }
    return false;
}

// A control clicked as a user clicks it: its panel is shown first.
void Command(int id)
{
    HWND control = GetDlgItem(dialog, id);
    for (int radio : {IDC_MAIN_SCHEDULED_RADIO, IDC_MAIN_INTERVAL_RADIO})
        if (!IsWindowVisible(control))
            Send(GetDlgItem(dialog, radio), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowVisible(control)) << id << " hidden";
    EXPECT_TRUE(IsWindowEnabled(control)) << id << " disabled";
    SendMessageW(dialog, WM_COMMAND, id, reinterpret_cast<LPARAM>(control));
}

// An empty file in the temporary folder, padded with x to `bytes` of GBK.
std::wstring TempFile(const std::wstring &name, size_t bytes = 0)
{
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    std::wstring path = temp + name;
    path.insert(path.rfind(L'.'), bytes - std::min(bytes, Gbk(path).size()), L'x');
    CreateDirectoryW(path.substr(0, path.rfind(L'\\')).c_str(), NULL);
    CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    return path;
}

// Sounds: the hint or a file, 钟's as long as a field keeps; code page 936 cannot spell the interval's.
const std::string kHint = "设置提示音文件路径,点击右边选择文件";
const std::string kSounds[] = {kHint, Gbk(TempFile(L"提示音\\铃.mp3")),
                               Gbk(TempFile(L"提示音\\钟.mp3", 259))};
const std::wstring kIntervalSound = TempFile(L"노래\\노래 Straße.mp3");
const std::wstring kChosen = TempFile(L"提示音\\铃声.mp3");
const int kChooserFileName = 0x47C;

void ChooseFile(HWND chooser)
{
    SetDlgItemTextW(chooser, kChooserFileName, kChosen.c_str());
    Post(chooser, IDOK);
}

bool Says(const std::string &how, const char *what)
{
    return how.find(what) != std::string::npos;
}

// Ends a task dialog by " 取消", " 关闭" (the close box) or "确定" / "更改".
void End(HWND taskDialog, const std::string &how)
{
    if (Says(how, " 关闭"))
        PostMessageW(taskDialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    else
        Post(taskDialog, Says(how, " 取消") ? IDC_ADD_CANCEL : IDC_ADD_OK);
}

// The add-task dialog as a user fills it; " ..." chooses the sound, " 过一分钟" lets a minute pass.
struct {
    std::wstring name;
    SYSTEMTIME due;
    std::wstring sound;
    std::string how;
} next;

void AcceptAddDialog(HWND add)
{
    FillAddDialog(add, next.name, fakeNow, next.due);
    SetText(add, IDC_ADD_SOUND_PATH, next.sound);
    handler = Says(next.how, " ...") ? ChooseFile : nullptr;
    if (handler)
        Send(add, WM_COMMAND, IDC_ADD_BROWSE_SOUND, 0);
    if (Says(next.how, " 过一分钟"))
        fakeNow = At(Ms(fakeNow) + 60000);
    End(add, next.how);
}

void AddTask(const std::wstring &name, const SYSTEMTIME &due, const std::wstring &sound,
             const std::string &how = "")
{
    next = {name, due, sound, how};
    handler = AcceptAddDialog;
    Command(IDC_MAIN_ADD);
}

// A fresh main dialog at 2027-12-31 23:58:20.
void Fresh()
{
    static HHOOK hook = SetWindowsHookExW(WH_CBT, WatchWindows, NULL, GetCurrentThreadId());
    ASSERT_TRUE(hook);
    DestroyWindow(std::exchange(dialog, nullptr));
    ClearTasks();
    fakeNow = Time(2027, 12, 31, 23, 58, 20);
    dialog =
        CreateDialogParamW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(IDD_MAIN), NULL, MainDialogProc, 0);
    ShowWindow(dialog, SW_SHOWNORMAL);
    StopCountdown(dialog);
    StopIntervalCommand(dialog);
    SetText(dialog, IDC_MAIN_TITLE, "隔时");
}

// No alarm waits, nor is one lost: an open held up holds no window, and no sound plays after its answer,
// though more alarms ring and are answered than the sound's queue holds. A box that could not be shown
// is shown again. However many alarms rang, each keeps its own sound, and none takes the keyboard from
// the main window: a task's sounds on while the interval rings 300 times.
TEST(Ui, NoAlarmWaitsAndNoneIsLost)
{
    Fresh();
    AddTask(L"会", Time(2027, 12, 31, 23, 59), Wide(kSounds[1]));
    AddTask(L"钟", Time(2028, 1, 1, 0, 0), Wide(kSounds[2]));
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
    // Shown again and answered: its close waits behind the interval's play.
    for (DWORD wait = GetTickCount(); shown.empty() && GetTickCount() - wait < 3000; Sleep(5))
        Pump();
    EXPECT_EQ(Texts{"会|会!|1|T"}, shown);
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
    const std::string task = FileName(Wide(kSounds[1]));
    const std::string interval = FileName(kIntervalSound);
    EXPECT_EQ(Texts({"open " + task, "close " + task, "open " + interval, "play " + interval,
                     "close " + interval}),
              verbs);
    Command(IDC_MAIN_START_INTERVAL);
    fakeNow = Time(2028, 1, 1, 0, 0);
    ScheduleTimerProc(dialog, WM_TIMER, kScheduleTimerId, 0);
    Texts both = {"钟|钟!|1|T", FileName(Wide(kSounds[2])), interval, intervalBox};
    std::sort(both.begin(), both.end());
    SetForegroundWindow(dialog);
    const HWND field = GetDlgItem(dialog, IDC_MAIN_MESSAGE);
    SetFocus(field);
    for (int ring = 1; ring <= 300; ++ring) {
        fakeMonotonic += 60000;
        IntervalTimerProc(dialog, WM_TIMER, kIntervalTimerId, 0);
        ASSERT_EQ(both, Settle(both)) << "ring " << ring;
        for (DWORD rung = GetTickCount(); GetFocus() != field && GetTickCount() - rung < 1000;)
            Pump();
        ASSERT_EQ(field, GetFocus()) << "ring " << ring << " took the keyboard";
        ASSERT_TRUE(Answer("隔时", IDYES)) << "ring " << ring;
    }
    EXPECT_TRUE(Answer("钟", IDOK));
}

// A plain model of both modes, as a user tells them.
struct Task {
    std::string name, message, sound;
};
struct Model {
    std::map<long long, Task> tasks;
    bool running, armed;           // the countdown goes on after its box; its timer runs
    long long ringing;             // the minute of the task whose box is open; 0: none
    Task box;                      // that task as it rang
    bool counting, intervalArmed;  // from "开始计时" to a stop or "否"; its timer runs
    bool intervalBox, awaiting;    // its box is open; it answers for the count
    long long deadline;            // of the count, on the monotonic clock
    std::wstring intervalSound = kIntervalSound;
    int late;  // the next task's box: 1 comes up late, 2 is held, 3 is held for a task gone
    std::string countdown = "0天0时0分0秒";
    std::string intervalText = "0分0秒";
    std::string minutes;
    Texts errors;  // the boxes of the GUI thread in this step
} m;

// A name as typed, and the name and message as kept, cut between characters.
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
    m.running = m.armed = false;
    m.countdown = "0天0时0分0秒";
}

// A countdown tick: the first task rings once due, else the time to it shows.
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
    m.late += m.late == 1;
}

// After a task's box: a countdown not stopped meanwhile goes on at once.
void ModelResume()
{
    m.ringing = 0;
    m.late += m.late == 2;
    if (m.running && m.tasks.empty())
        return ModelStop();
    m.armed = m.running;
    if (m.running)
        ModelTick();
}

// A count tick shows the seconds left; at the deadline a box opens, or the open one answers for it.
void ModelCountTick()
{
    const long long left = std::max(0LL, (m.deadline - fakeMonotonic + kSecondMs - 1) / kSecondMs);
    m.intervalText = std::to_string(left / 60) + "分" + std::to_string(left % 60) + "秒";
    if (left > 0)
        return;
    m.intervalArmed = false;
    m.awaiting = m.intervalBox = true;
}

// "开始计时" and "是" count from the field's minutes; a stop and "否" end.
void ModelCount(bool counting)
{
    m.counting = m.intervalArmed = counting;
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

// "+N": a task due in N minutes, judged as "确定" is pressed; "+no month" and "+no day" are refused.
void Add(const std::string &how)
{
    const bool noDate = how == "no month" || how == "no day";
    const long long minute = Minute(fakeNow) + atoi(how.c_str());
    SYSTEMTIME due = At(minute * 60000);
    due.wYear += noDate;
    due.wMonth *= how != "no month";
    due.wDay *= how != "no day";
    const Name &name = kNames[m.tasks.size() % std::size(kNames)];
    const std::string sound =
        Says(how, " ...") ? Gbk(kChosen) : kSounds[m.tasks.size() % std::size(kSounds)];
    AddTask(name.typed, due, Wide(kSounds[m.tasks.size() % std::size(kSounds)]), how);
    if (Says(how, " 取消") || Says(how, " 关闭"))
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

// "更改" on the second task: its details show it as kept; the texts changed are kept by "更改" alone,
// not by " 取消", " 关闭" or a refused sound path (of no file, which code page 936 cannot spell).
std::string detailsEnd;

void ChangeSecondTask(HWND details)
{
    Task &task = std::next(m.tasks.begin())->second;
    EXPECT_EQ(task.name, Text(details, IDC_DETAILS_NAME));
    EXPECT_EQ(task.message, Text(details, IDC_DETAILS_MESSAGE));
    EXPECT_EQ(task.sound, Text(details, IDC_DETAILS_SOUND_PATH));
    const Task changed = {"改期", "改期!", task.sound == kSounds[1] ? kSounds[2] : kSounds[1]};
    const bool refused = Says(detailsEnd, " 拒绝");
    SetText(details, IDC_DETAILS_NAME, changed.name);
    SetText(details, IDC_DETAILS_MESSAGE, changed.message);
    SetText(details, IDC_DETAILS_SOUND_PATH, refused ? L"노래 없음.mp3" : Wide(changed.sound));
    if (detailsEnd == "更改")
        task = changed;
    if (refused)
        ExpectError("选择失败", "该文件的名称含有本程序无法使用的字符，请将文件改名后再选择");
    if (refused)
        Post(details, IDC_DETAILS_CHANGE);
    End(details, refused ? " 取消" : detailsEnd);
}

// The buttons, with the first task selected, the second or none, and what takes the window they open;
// "更改 取消" is "更改" ended so.
const struct Button {
    const char *name;
    int id;
    int selected;
    void (*handler)(HWND window) = nullptr;
} kButtons[] = {{"清空", IDC_MAIN_CLEAR, -1},
                {"删除无效", IDC_MAIN_PURGE_INVALID, -1},
                {"执行", IDC_MAIN_EXECUTE, -1},
                {"停止任务", IDC_MAIN_STOP_TASK, -1},
                {"开始计时", IDC_MAIN_START_INTERVAL, -1},
                {"停止计时", IDC_MAIN_STOP_INTERVAL, -1},
                {"-first", IDC_MAIN_DELETE, 0},
                {"-second", IDC_MAIN_DELETE, 1},
                {"-none", IDC_MAIN_DELETE, -1},
                {"...", IDC_MAIN_BROWSE_SOUND, -1, ChooseFile},
                {"更改", IDC_MAIN_DETAILS, 1, ChangeSecondTask}};

bool Press(const std::string &name)
{
    const Button &button =
        *std::find_if(std::begin(kButtons), std::end(kButtons),
                      [&](const Button &each) { return name.rfind(each.name, 0) == 0; });
    if (button.selected >= static_cast<int>(m.tasks.size()))
        return false;
    SendDlgItemMessageW(dialog, IDC_MAIN_TASK_LIST, LB_SETCURSEL, button.selected, 0);
    handler = button.handler;
    detailsEnd = name;
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
    if (button.id == IDC_MAIN_BROWSE_SOUND)
        m.intervalSound = kChosen;
    if (m.ringing && !m.tasks.count(m.ringing))
        ModelResume();
    return true;
}

// "late": the next task's box comes up late; "land": now. Come up for a task gone, it must close at
// once, and its answer change nothing.
bool Land()
{
    for (DWORD start = GetTickCount(); m.late > 1 && !heldThread && GetTickCount() - start < 5000;)
        Sleep(1);
    HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, heldThread.exchange(0));
    if (!thread)
        return false;
    const bool stays = std::exchange(m.late, 0) == 2;
    for (DWORD start = GetTickCount();
         !stays && WaitForSingleObject(thread, 2) && GetTickCount() - start < 5000;)
        Pump();
    const bool landed = stays || WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
    CloseHandle(thread);
    return landed;
}

// OK: the task leaves and the countdown goes on; Yes and No act for the count the box stands for.
bool AnswerBox(const std::string &name)
{
    const int button = name == "OK" ? IDOK : name == "Yes" ? IDYES : IDNO;
    if (button == IDOK ? !m.ringing || m.late == 2 : !m.intervalBox)
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
    else if (step == "late" && !lateNext && !heldThread)
        m.late = lateNext = true;
    else if (step == "late")
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
    if (m.ringing && m.late != 2)
        scene.push_back(m.box.name + "|" + m.box.message + "|1|T");
    if (m.ringing && m.box.sound != kHint)
        scene.push_back(FileName(Wide(m.box.sound)));
    if (m.intervalBox)
        scene.push_back("隔时|" + kMessage + "\n\n[确定]继续计时，[取消]退出计时|67|T");
    if (m.intervalBox)
        scene.push_back(FileName(m.intervalSound));
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

// Looked at with the interval panel shown, where the minutes field is.
Texts ProductView()
{
    Send(GetDlgItem(dialog, IDC_MAIN_INTERVAL_RADIO), BM_CLICK, 0, 0);
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

// From 23:58:20 on New Year's Eve, every rule in turn: tasks added (December 31 and February 29 too),
// refused and cancelled; both boxes at once; tasks due under a box; stops, deletes and a new count under
// a box; minutes refused; "更改" ended each way, then ringing; late answers and late boxes.
const char kScript[] =
    "minutes 1|+1|+86400|清空|+2|+3|+5|+0|+2|+no month|+no day|+-5|执行|1100 ms|+4 取消|+4 关闭|开始计时|-none|"
    "100000 ms|60000 ms|执行|OK|Yes|停止任务|OK|60000 ms|开始计时|No|60000 ms|开始计时|60000 ms|Yes|"
    "minutes 1x|60000 ms|Yes|开始计时|minutes 0|开始计时|minutes 35791395|开始计时|minutes |开始计时|minutes 2|开始计时|"
    "120000 ms|停止计时|Yes|minutes 35791394|开始计时|停止计时|minutes 1|+2|+3|+4|执行|-second|-first|执行|"
    "1800000 ms|-first|+2|执行|120000 ms|清空|+1|+2|执行|late|60000 ms|删除无效|60000 ms|land|OK|"
    "+1|+2|+3|更改|执行|300000 ms|OK|OK|OK|+1|+2|1800000 ms|执行|删除无效|+2|+3|执行|-second|清空|"
    "minutes 2|开始计时|+1|执行|late|60000 ms|清空|60000 ms|land|No|+1 过一分钟|+2 ...|+3|更改 取消|更改 关闭|"
    "更改 拒绝|执行|120000 ms|OK|60000 ms|OK|+1|执行|late|60000 ms|land|OK|...|minutes 1|"
    "开始计时|60000 ms|Yes|停止计时";

// The script, then random steps of it, each compared with the model.
TEST(Ui, BothModesFollowAModelOfThem)
{
    std::mt19937 random(getenv("ZELBRIN_SEED") ? atoi(getenv("ZELBRIN_SEED")) : 2026);
    Fresh();
    const char *codePage = getenv("ZELBRIN_CODE_PAGE");
    EXPECT_EQ(codePage ? atoi(codePage) : 936, static_cast<int>(GetACP()))
        << "not the Windows asked for";
    SetText(dialog, IDC_MAIN_MESSAGE, kMessage);
    // Pasted as Explorer's "复制为路径" gives it.
    SetText(dialog, IDC_MAIN_SOUND_PATH, L"\"" + kIntervalSound + L"\"");
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
