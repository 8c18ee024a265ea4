#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "sound/sound.h"
#include "support/fake_clock.h"
#include "support/main_window.h"
#include "support/modal_answerer.h"
#include "support/numbers.h"
#include "ui/add_task_dialog.h"

namespace {

// Each test scripts the dialog in a handler that runs inside its loop; the
// handler records what it saw here.
struct Seen {
    std::vector<std::string> years, months, days, hours, minutes;
    bool monthEnabled = false, dayEnabled = false;
    std::string soundPath;
    int focusId = 0;
    std::vector<int> dayCounts;
    bool stillOpen = false;
};
Seen seen;
std::string typedName, typedMessage, typedPath;

std::vector<std::string> Items(HWND dialog, int id)
{
    std::vector<std::string> items;
    int count = static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = "";
        SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

int DayCount(HWND dialog)
{
    return static_cast<int>(SendDlgItemMessageA(dialog, IDC_ADD_DAY_LIST, CB_GETCOUNT, 0, 0));
}

// What a user's selection does: the list changes, then it notifies.
void Select(HWND dialog, int id, int index)
{
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, index, 0);
    SendCommand(dialog, id, CBN_SELCHANGE);
}

void Press(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

class AddTaskDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        seen = Seen();
        SetFakeLocalTime(MakeTime(2026, 12, 6, 12, 0, 0));
        memset(&record, 0x00, sizeof record);
    }
    void TearDown() override { StopAnsweringModals(); }
    INT_PTR Run(ModalHandler handler)
    {
        StartAnsweringModals(handler);
        return RunAddTaskDialog(GetModuleHandleA(NULL), &record);
    }
    TaskRecord record;
};

void ReadOpeningStateThenCancel(HWND dialog)
{
    seen.years = Items(dialog, IDC_ADD_YEAR_LIST);
    seen.months = Items(dialog, IDC_ADD_MONTH_LIST);
    seen.days = Items(dialog, IDC_ADD_DAY_LIST);
    seen.hours = Items(dialog, IDC_ADD_HOUR_LIST);
    seen.minutes = Items(dialog, IDC_ADD_MINUTE_LIST);
    seen.monthEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_ADD_MONTH_LIST));
    seen.dayEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_ADD_DAY_LIST));
    seen.soundPath = ControlText(dialog, IDC_ADD_SOUND_PATH);
    seen.focusId = GetDlgCtrlID(GetFocus());
    Press(dialog, IDC_ADD_CANCEL);
}

TEST_F(AddTaskDialogTest, OpensWithFilledListsInInsertionOrderAndNothingSelected)
{
    EXPECT_EQ(0, Run(ReadOpeningStateThenCancel));
    ASSERT_EQ(1u, ModalsSeen().size());
    EXPECT_EQ("时间设置", ModalsSeen()[0].caption);
    EXPECT_EQ(Numbers(2026, 2076, "%d"), seen.years);
    EXPECT_EQ(Numbers(1, 12, "%02d"), seen.months);
    EXPECT_TRUE(seen.days.empty());
    EXPECT_EQ(Numbers(0, 23, "%02d"), seen.hours);
    EXPECT_EQ(Numbers(0, 59, "%02d"), seen.minutes);
    EXPECT_FALSE(seen.monthEnabled);
    EXPECT_FALSE(seen.dayEnabled);
    EXPECT_EQ(SOUND_HINT, seen.soundPath);
    EXPECT_EQ(IDC_ADD_OK, seen.focusId);
    // Cancelled: the record stays as the caller made it.
    TaskRecord zero = {};
    EXPECT_EQ(0, memcmp(&zero, &record, sizeof zero));
}

void WalkTheDateLists(HWND dialog)
{
    // A year opens the month list and fills the day list, still disabled.
    Select(dialog, IDC_ADD_YEAR_LIST, 2);  // 2028
    seen.monthEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_ADD_MONTH_LIST));
    seen.dayEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_ADD_DAY_LIST));
    seen.dayCounts.push_back(DayCount(dialog));
    // The month list's first notification, even just the focus, opens days.
    SendCommand(dialog, IDC_ADD_MONTH_LIST, CBN_SETFOCUS);
    seen.dayCounts.push_back(DayCount(dialog));
    seen.stillOpen = IsWindowEnabled(GetDlgItem(dialog, IDC_ADD_DAY_LIST));

    for (int month = 0; month < 12; ++month) {
        Select(dialog, IDC_ADD_MONTH_LIST, month);
        seen.dayCounts.push_back(DayCount(dialog));
    }
    Select(dialog, IDC_ADD_MONTH_LIST, 1);  // February
    for (int year : {0, 1, 2, 3, 50}) {     // 2026, 2027, 2028, 2029, 2076
        Select(dialog, IDC_ADD_YEAR_LIST, year);
        seen.dayCounts.push_back(DayCount(dialog));
    }
    // A chosen day is lost whenever the year or month list reports again.
    Select(dialog, IDC_ADD_DAY_LIST, 27);
    SendCommand(dialog, IDC_ADD_YEAR_LIST, CBN_KILLFOCUS);
    seen.days.push_back(std::to_string(SendDlgItemMessageA(dialog, IDC_ADD_DAY_LIST, CB_GETCURSEL, 0, 0)));
    Select(dialog, IDC_ADD_DAY_LIST, 27);
    SendCommand(dialog, IDC_ADD_MONTH_LIST, CBN_DROPDOWN);
    seen.days.push_back(std::to_string(SendDlgItemMessageA(dialog, IDC_ADD_DAY_LIST, CB_GETCURSEL, 0, 0)));
    Press(dialog, IDC_ADD_OK);
}

TEST_F(AddTaskDialogTest, DayListFollowsMonthAndTheYearModFourRule)
{
    EXPECT_EQ(1, Run(WalkTheDateLists));
    EXPECT_TRUE(seen.monthEnabled);
    EXPECT_FALSE(seen.dayEnabled);
    EXPECT_TRUE(seen.stillOpen);
    EXPECT_EQ((std::vector<int>{30, 30,
                                31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31,
                                28, 28, 29, 28, 29}),
              seen.dayCounts);
    EXPECT_EQ((std::vector<std::string>{"-1", "-1"}), seen.days);
    // The lost day is stored as 0.
    EXPECT_EQ(2076, record.dueTime.wYear);
    EXPECT_EQ(2, record.dueTime.wMonth);
    EXPECT_EQ(0, record.dueTime.wDay);
}

void PickYear2100February(HWND dialog)
{
    Select(dialog, IDC_ADD_YEAR_LIST, 0);
    Select(dialog, IDC_ADD_MONTH_LIST, 1);
    seen.dayCounts.push_back(DayCount(dialog));
    Press(dialog, IDC_ADD_CANCEL);
}

TEST_F(AddTaskDialogTest, ACenturyYearIsLeapToo)
{
    SetFakeLocalTime(MakeTime(2100, 1, 1, 0, 0, 0));
    EXPECT_EQ(0, Run(PickYear2100February));
    EXPECT_EQ(std::vector<int>{29}, seen.dayCounts);
}

void FillEverythingAndConfirm(HWND dialog)
{
    SetDlgItemTextA(dialog, IDC_ADD_NAME, typedName.c_str());
    SetDlgItemTextA(dialog, IDC_ADD_MESSAGE, typedMessage.c_str());
    SetDlgItemTextA(dialog, IDC_ADD_SOUND_PATH, typedPath.c_str());
    Select(dialog, IDC_ADD_YEAR_LIST, 1);
    Select(dialog, IDC_ADD_MONTH_LIST, 2);
    Select(dialog, IDC_ADD_DAY_LIST, 30);
    Select(dialog, IDC_ADD_HOUR_LIST, 9);
    Select(dialog, IDC_ADD_MINUTE_LIST, 5);
    Press(dialog, IDC_ADD_OK);
}

TEST_F(AddTaskDialogTest, ConfirmWritesEveryFieldCutToItsBuffer)
{
    typedName = "会议" + std::string(300, 'n');
    typedMessage = std::string(300, 'm');
    typedPath = "C:\\" + std::string(300, 'p');
    record.dueTime.wSecond = 0;
    EXPECT_EQ(1, Run(FillEverythingAndConfirm));
    EXPECT_EQ(typedName.substr(0, 255), record.name);
    EXPECT_EQ(typedMessage.substr(0, 259), record.message);
    EXPECT_EQ(typedPath.substr(0, 259), record.soundPath);
    EXPECT_EQ(2027, record.dueTime.wYear);
    EXPECT_EQ(3, record.dueTime.wMonth);
    EXPECT_EQ(31, record.dueTime.wDay);
    EXPECT_EQ(9, record.dueTime.wHour);
    EXPECT_EQ(5, record.dueTime.wMinute);
    EXPECT_EQ(0, record.dueTime.wDayOfWeek);
    EXPECT_EQ(0, record.dueTime.wSecond);
    EXPECT_EQ(0, record.dueTime.wMilliseconds);
}

void ConfirmAtOnce(HWND dialog)
{
    Press(dialog, IDC_ADD_OK);
}

TEST_F(AddTaskDialogTest, ConfirmAtOnceGivesZeroTimeAndTheHintAsPath)
{
    EXPECT_EQ(1, Run(ConfirmAtOnce));
    EXPECT_STREQ("", record.name);
    EXPECT_STREQ("", record.message);
    EXPECT_STREQ(SOUND_HINT, record.soundPath);
    SYSTEMTIME zero = {};
    EXPECT_EQ(0, memcmp(&zero, &record.dueTime, sizeof zero));
}

void StandardIdsThenClose(HWND dialog)
{
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    SendMessageA(dialog, WM_COMMAND, 4242, 0);
    seen.stillOpen = IsWindowVisible(dialog) != FALSE;
    SetDlgItemTextA(dialog, IDC_ADD_NAME, "not kept");
    PostMessageA(dialog, WM_CLOSE, 0, 0);
}

void AltF4(HWND dialog)
{
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

TEST_F(AddTaskDialogTest, StandardIdsDoNothingAndClosingEndsWithZero)
{
    EXPECT_EQ(0, Run(StandardIdsThenClose));
    EXPECT_TRUE(seen.stillOpen);
    EXPECT_STREQ("", record.name);
    EXPECT_EQ(0, Run(AltF4));
}

void EnterInTheMessageField(HWND dialog)
{
    HWND edit = GetDlgItem(dialog, IDC_ADD_MESSAGE);
    SetFocus(edit);
    SetDlgItemTextA(dialog, IDC_ADD_NAME, "by enter");
    PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
}

TEST_F(AddTaskDialogTest, EnterInTheMultiLineFieldActsAsConfirm)
{
    EXPECT_EQ(1, Run(EnterInTheMessageField));
    EXPECT_STREQ("by enter", record.name);
}

}  // namespace
