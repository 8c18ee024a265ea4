#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "support/main_window.h"
#include "ui/panels.h"

namespace {

// The enable and show changes that reach the main window's controls, in the
// order they happen: "E+1036" enabled, "S-1040" hidden.
std::vector<std::string> changes;
HWND watchedWindow;
HHOOK callHook;

LRESULT CALLBACK RecordChanges(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT *call = reinterpret_cast<const CWPSTRUCT *>(lParam);
    if (code == HC_ACTION && GetParent(call->hwnd) == watchedWindow) {
        int id = GetDlgCtrlID(call->hwnd);
        if (call->message == WM_ENABLE)
            changes.push_back((call->wParam ? "E+" : "E-") + std::to_string(id));
        else if (call->message == WM_SHOWWINDOW)
            changes.push_back((call->wParam ? "S+" : "S-") + std::to_string(id));
    }
    return CallNextHookEx(callHook, code, wParam, lParam);
}

std::vector<std::string> Expect(const char *kind, std::vector<int> ids)
{
    std::vector<std::string> result;
    for (int id : ids)
        result.push_back(kind + std::to_string(id));
    return result;
}

std::vector<std::string> Join(std::vector<std::vector<std::string>> parts)
{
    std::vector<std::string> result;
    for (const auto &part : parts)
        result.insert(result.end(), part.begin(), part.end());
    return result;
}

const std::vector<int> kScheduledInputs = {1007, 1008, 1009, 1010, 1017, 1018, 1019, 1020};
const std::vector<int> kScheduledShown = {1037, 1038, 1007, 1008, 1009, 1010, 1017, 1018, 1019, 1020, 1029};
const std::vector<int> kIntervalInputsButMinutes = {1016, 1015, 1033, 1034, 1030, 1031};
const std::vector<int> kIntervalShown = {1040, 1039, 1042, 1044, 1041, 1045, 1046, 1036,
                                         1016, 1015, 1033, 1034, 1030, 1031, 1035};

class PanelsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        intervalRunning = 0;
        window = CreateMainWindow();
        watchedWindow = window;
        changes.clear();
        callHook = SetWindowsHookExA(WH_CALLWNDPROC, RecordChanges, NULL, GetCurrentThreadId());
    }
    void TearDown() override
    {
        UnhookWindowsHookEx(callHook);
        DestroyMainWindow(window);
        intervalRunning = 0;
    }
    void Switch(int radioId)
    {
        changes.clear();
        SendCommand(window, radioId);
    }
    HWND window = NULL;
};

TEST_F(PanelsTest, IntervalWhileStoppedHidesTheScheduledPanelFirstThenShowsAllOfIt)
{
    Switch(IDC_MAIN_INTERVAL_RADIO);
    EXPECT_EQ(Join({Expect("E-", kScheduledInputs), Expect("S-", kScheduledShown),
                    Expect("E+", {1036}), Expect("E+", kIntervalInputsButMinutes),
                    Expect("S+", kIntervalShown)}),
              changes);
}

TEST_F(PanelsTest, IntervalWhileRunningLeavesTheMinutesFieldDisabled)
{
    intervalRunning = 1;
    Switch(IDC_MAIN_INTERVAL_RADIO);
    EXPECT_EQ(Join({Expect("E-", kScheduledInputs), Expect("S-", kScheduledShown),
                    Expect("E+", kIntervalInputsButMinutes), Expect("S+", kIntervalShown)}),
              changes);
    EXPECT_FALSE(ControlEnabled(window, IDC_MAIN_MINUTES));
    EXPECT_TRUE(ControlVisible(window, IDC_MAIN_MINUTES));
    EXPECT_TRUE(ControlEnabled(window, IDC_MAIN_START_INTERVAL));
    EXPECT_TRUE(ControlEnabled(window, IDC_MAIN_STOP_INTERVAL));
}

TEST_F(PanelsTest, ScheduledHidesTheIntervalPanelFirstAndDisablesTheMinutesFieldAlways)
{
    for (int running = 0; running <= 1; ++running) {
        SCOPED_TRACE(running ? "running" : "stopped");
        intervalRunning = 0;
        SendCommand(window, IDC_MAIN_INTERVAL_RADIO);
        intervalRunning = running;
        Switch(IDC_MAIN_SCHEDULED_RADIO);
        EXPECT_EQ(Join({Expect("E-", {1036}), Expect("E-", kIntervalInputsButMinutes),
                        Expect("S-", kIntervalShown), Expect("E+", kScheduledInputs),
                        Expect("S+", kScheduledShown)}),
                  changes);
    }
}

TEST_F(PanelsTest, TheCountdownStoppingWhileHiddenIsShownEnabledNextTime)
{
    intervalRunning = 1;
    SendCommand(window, IDC_MAIN_INTERVAL_RADIO);
    SendCommand(window, IDC_MAIN_SCHEDULED_RADIO);
    // The interval alarm's "No" clears the flag and enables the field while
    // the scheduled panel is shown.
    intervalRunning = 0;
    EnableWindow(GetDlgItem(window, IDC_MAIN_MINUTES), TRUE);
    SendCommand(window, IDC_MAIN_INTERVAL_RADIO);
    EXPECT_TRUE(ControlEnabled(window, IDC_MAIN_MINUTES));
}

TEST_F(PanelsTest, RepeatingTheCheckedRadioChangesNothingAndKeepsContents)
{
    SetDlgItemTextA(window, IDC_MAIN_TITLE, "title");
    SendDlgItemMessageA(window, IDC_MAIN_TASK_LIST, LB_INSERTSTRING, 0,
                        reinterpret_cast<LPARAM>("item"));
    SendDlgItemMessageA(window, IDC_MAIN_TASK_LIST, LB_SETCURSEL, 0, 0);
    Switch(IDC_MAIN_SCHEDULED_RADIO);
    EXPECT_TRUE(changes.empty());
    Switch(IDC_MAIN_INTERVAL_RADIO);
    Switch(IDC_MAIN_INTERVAL_RADIO);
    EXPECT_TRUE(changes.empty());
    Switch(IDC_MAIN_SCHEDULED_RADIO);
    EXPECT_EQ("title", ControlText(window, IDC_MAIN_TITLE));
    EXPECT_EQ(0, SendDlgItemMessageA(window, IDC_MAIN_TASK_LIST, LB_GETCURSEL, 0, 0));
    // The radio buttons belong to neither panel.
    EXPECT_TRUE(ControlVisible(window, IDC_MAIN_SCHEDULED_RADIO));
    EXPECT_TRUE(ControlEnabled(window, IDC_MAIN_INTERVAL_RADIO));
}

}  // namespace
