#include <gtest/gtest.h>
#include <math.h>
#include <stdio.h>

#include "support/driver.h"

#include <shellapi.h>

namespace {

NOTIFYICONDATAA OurIcon()
{
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = mainWindow;
    return icon;
}

// A no-op NIM_MODIFY succeeds only while the icon exists.
bool TrayIconShown()
{
    NOTIFYICONDATAA icon = OurIcon();
    return Shell_NotifyIconA(NIM_MODIFY, &icon) != FALSE;
}

bool Topmost(HWND window)
{
    return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// Only the program file's own resources say what a user's Windows loads.
TEST(Program, ResourcesAreChineseAndAskForCommonControls6)
{
    HMODULE exe = LoadLibraryExA(programPath.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(exe);
    WORD chinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
    for (int id : {101, 104, 105})
        EXPECT_TRUE(FindResourceExA(exe, RT_DIALOG, MAKEINTRESOURCEA(id), chinese)) << id;
    HRSRC manifest = FindResourceA(exe, MAKEINTRESOURCEA(1), RT_MANIFEST);
    ASSERT_TRUE(manifest);
    const char *bytes = static_cast<const char *>(LockResource(LoadResource(exe, manifest)));
    std::string text(bytes, SizeofResource(exe, manifest));
    EXPECT_NE(std::string::npos, text.find("\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
}

HWND OpenDetails(int item, HWND besides)
{
    SendDlgItemMessageA(mainWindow, 1007, LB_SETCURSEL, item, 0);
    Post(mainWindow, 1019);
    return WaitWindow("任务详情", 10000, "#32770", besides);
}

// Details open on the first two tasks at once; the first holds the cut
// 1,000-character fields.
void RenameBoth(const char *first, const char *second, bool secondClosesFirst, int firstButton)
{
    HWND one = OpenDetails(0, NULL);
    HWND two = OpenDetails(1, one);
    ASSERT_TRUE(one);
    ASSERT_TRUE(two);
    EXPECT_EQ(std::string(259, 'x'), Text(one, 1030));
    EXPECT_EQ(std::string(259, 'x'), Text(one, 1015));
    SetText(one, 1018, first);
    SetText(two, 1018, second);
    if (secondClosesFirst) {
        Post(two, 1000);
        Post(one, firstButton);
    } else {
        Post(one, firstButton);
        Post(two, 1000);
    }
    EXPECT_TRUE(WaitGone(one));
    EXPECT_TRUE(WaitGone(two));
}

TEST(Program, TakesBadInputLivesInTheTrayAndEndsAtOnceByExit)
{
    ASSERT_TRUE(StartProgram());
    SYSTEMTIME now;
    GetLocalTime(&now);
    SYSTEMTIME base = {};
    base.wYear = now.wYear + 1;
    base.wMonth = 3;
    base.wDay = 1;
    const std::string huge(1000, 'x');
    ASSERT_TRUE(AddTask(huge, base, huge));
    for (int i = 1; i < 100; ++i)
        ASSERT_TRUE(AddTask("t" + std::to_string(i), Plus(base, i))) << i;
    Post(OpenAddDialog("one too many", Plus(base, 500)), 1000);
    HWND refusal = WaitWindow("插入失败");
    ASSERT_TRUE(refusal);
    EXPECT_EQ("任务列表已满，最多可添加100个任务", Text(refusal, 0xFFFF));
    EXPECT_FALSE(Topmost(refusal));
    Post(refusal, IDOK);
    std::vector<std::string> items = ListItems(mainWindow, 1007);
    ASSERT_EQ(100u, items.size());
    EXPECT_EQ(std::string(255, 'x') + "  —  ", items[0].substr(0, 261));

    // Each details dialog edits its own task, whichever closes first.
    RenameBoth("甲", "乙", false, 1000);
    RenameBoth("丙", "丁", true, 1013);
    items = ListItems(mainWindow, 1007);
    EXPECT_EQ("甲  —  ", items[0].substr(0, 8));
    EXPECT_EQ("丁  —  ", items[1].substr(0, 8));

    // Closed, it lives on in the tray; the icon comes back with the taskbar.
    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitGone(mainWindow));
    EXPECT_EQ(-1, ExitStatus(0));
    EXPECT_TRUE(TrayIconShown());
    NOTIFYICONDATAA icon = OurIcon();
    Shell_NotifyIconA(NIM_DELETE, &icon);  // what a restart of Explorer does
    ASSERT_FALSE(TrayIconShown());
    Send(mainWindow, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(TrayIconShown());

    // "退出" ends it at once under an add-task dialog and the usage box.
    ASSERT_TRUE(OpenAddDialog("never added", Plus(base, 600)));
    SetCursorPos(400, 300);
    PostMessageA(mainWindow, WM_USER + 5, 0, WM_RBUTTONDOWN);
    HWND menu = WaitWindow("*", 10000, "#32768");
    ASSERT_TRUE(menu);
    RECT place = {};
    GetWindowRect(menu, &place);
    EXPECT_EQ(400, place.right);
    EXPECT_EQ(300, place.top);
    PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    HWND usage = WaitWindow("使用说明");
    ASSERT_TRUE(usage) << "关于 is not the menu's first item";
    EXPECT_FALSE(Topmost(usage));
    EXPECT_FALSE(IsWindowVisible(mainWindow));
    Post(mainWindow, 9999);
    EXPECT_EQ(0, ExitStatus(1500));
    EXPECT_FALSE(TrayIconShown());
}

std::string recording;
const long kBytesPerSecond = 44100 * 4;

long Recorded()
{
    WIN32_FILE_ATTRIBUTE_DATA file = {};
    GetFileAttributesExA(recording.c_str(), GetFileExInfoStandard, &file);
    return static_cast<long>(file.nFileSizeLow);
}

// RMS of the second of recording (44.1 kHz 16-bit stereo) that begins
// afterMs after the point `at`; NAN when the recorder never got that far.
double Loudness(long at, int afterMs)
{
    long from = (at & ~3L) + afterMs * (kBytesPerSecond / 1000);
    for (int i = 0; i < 1000 && Recorded() < from + kBytesPerSecond; ++i)
        Sleep(10);
    if (Recorded() < from + kBytesPerSecond)
        return NAN;
    static short samples[kBytesPerSecond / 2];
    FILE *file = fopen(recording.c_str(), "rb");
    fseek(file, from, SEEK_SET);
    size_t count = fread(samples, sizeof samples[0], kBytesPerSecond / 2, file);
    fclose(file);
    double sum = 0;
    for (size_t i = 0; i < count; ++i)
        sum += samples[i] * static_cast<double>(samples[i]);
    return sqrt(sum / count) / 32768;
}

void WaitUntil(long long seconds)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    while (Seconds(now) < seconds) {
        Sleep(100);
        GetLocalTime(&now);
    }
}

// The tone starts loud, then goes on soft; silence is well below both.
const double kLoudStart = 0.3;
const double kHeard = 0.05;
const double kSilent = 0.003;

// In real time, with one mp3 at a path with blanks for both modes: both
// ring on top of everything and are heard apart, and a task whose minute
// passed under an open box still rings. A box opened inside another's loop
// returns first, so the interval's box is answered first.
TEST(Alarms, BothModesRingOnTopHeardApartAndAMissedTaskStillRings)
{
    const char *folder = getenv("ZELBRIN_SOUND_DIR");
    ASSERT_TRUE(folder) << "run through tests/e2e/alarms.sh";
    ASSERT_TRUE(StartProgram());
    recording = std::string(folder) + "\\sound.raw";
    const std::string tone = std::string(folder) + "\\sound dir\\alarm tone.mp3";
    SYSTEMTIME now;
    GetLocalTime(&now);
    const SYSTEMTIME due = Plus(now, now.wSecond < 50 ? 1 : 2);
    ASSERT_TRUE(AddTask("第一", due, tone));
    ASSERT_TRUE(AddTask("第二", Plus(due, 1)));  // the hint text: no sound
    Post(mainWindow, 1018);
    SetText(mainWindow, 1036, "1");
    SetText(mainWindow, 1016, "休息");
    SetText(mainWindow, 1015, "看远处");
    Post(mainWindow, 1034);
    HWND chooser = WaitWindow("*", 10000, "#32770", mainWindow);
    ASSERT_TRUE(chooser);
    SetText(chooser, 0x47C, tone);
    Post(chooser, IDOK);
    ASSERT_TRUE(WaitGone(chooser));
    WaitUntil(Seconds(due) - 54);  // the interval then rings after the task
    Post(mainWindow, 1030);

    HWND task = WaitWindow("第一", 80000);
    ASSERT_TRUE(task);
    EXPECT_GT(Loudness(Recorded(), 300), kLoudStart);
    EXPECT_TRUE(Topmost(task));
    EXPECT_EQ("第一!", Text(task, 0xFFFF));
    HWND interval = WaitWindow("休息", 80000);
    ASSERT_TRUE(interval);
    EXPECT_GT(Loudness(Recorded(), 300), kLoudStart) << "the interval alarm plays nothing";
    EXPECT_TRUE(Topmost(interval));
    EXPECT_EQ("看远处\n\n[确定]继续计时，[取消]退出计时", Text(interval, 0xFFFF));
    Post(interval, IDNO);
    ASSERT_TRUE(WaitGone(interval));
    EXPECT_GT(Loudness(Recorded(), 700), kHeard) << "closing one alarm silenced the other";

    WaitUntil(Seconds(due) + 121);
    Post(task, IDOK);
    ASSERT_TRUE(WaitGone(task));
    HWND missed = WaitWindow("第二", 5000);
    ASSERT_TRUE(missed) << "the task whose minute passed under the box did not ring";
    EXPECT_LT(Loudness(Recorded(), 700), kSilent) << "a sound went on after its box closed";
    Post(missed, IDOK);
    ASSERT_TRUE(WaitGone(missed));
    EXPECT_EQ(std::vector<std::string>{}, ListItems(mainWindow, 1007));
    EXPECT_EQ("0天0时0分0秒", Text(mainWindow, 1029));
    EXPECT_EQ("0分0秒", Text(mainWindow, 1035));
}

}  // namespace

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    programPath = argc > 1 ? argv[1] : "";  // a Unix path is one on drive Z:
    int status = RUN_ALL_TESTS();
    TerminateProcess(program.hProcess, 1);
    return status;
}
