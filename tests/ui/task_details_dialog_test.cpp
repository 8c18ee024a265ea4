#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "res/resource.h"
#include "support/fake_clock.h"
#include "support/main_window.h"
#include "support/modal_answerer.h"
#include "ui/task_details_dialog.h"

namespace {

struct Shown {
    std::string name, soundPath, message, dueTime;
    int focusId = 0;
    bool stillOpen = false;
};
Shown shown;
std::string newName, newMessage, newPath;

void Press(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

void ReadFields(HWND dialog)
{
    shown.name = ControlText(dialog, IDC_DETAILS_NAME);
    shown.soundPath = ControlText(dialog, IDC_DETAILS_SOUND_PATH);
    shown.message = ControlText(dialog, IDC_DETAILS_MESSAGE);
    shown.dueTime = ControlText(dialog, IDC_DETAILS_DUE_TIME);
    shown.focusId = GetDlgCtrlID(GetFocus());
}

void ReadThenCancel(HWND dialog)
{
    ReadFields(dialog);
    SetDlgItemTextA(dialog, IDC_DETAILS_NAME, "not kept");
    Press(dialog, IDC_DETAILS_CANCEL);
}

void EditThenChange(HWND dialog)
{
    ReadFields(dialog);
    SetDlgItemTextA(dialog, IDC_DETAILS_NAME, newName.c_str());
    SetDlgItemTextA(dialog, IDC_DETAILS_MESSAGE, newMessage.c_str());
    SetDlgItemTextA(dialog, IDC_DETAILS_SOUND_PATH, newPath.c_str());
    Press(dialog, IDC_DETAILS_CHANGE);
}

void StandardIdsThenClose(HWND dialog)
{
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    shown.stillOpen = IsWindowVisible(dialog) != FALSE;
    SetDlgItemTextA(dialog, IDC_DETAILS_NAME, "not kept");
    PostMessageA(dialog, WM_CLOSE, 0, 0);
}

void EnterInTheMessageField(HWND dialog)
{
    HWND edit = GetDlgItem(dialog, IDC_DETAILS_MESSAGE);
    SetFocus(edit);
    SetWindowTextA(edit, "entered");
    PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
}

class TaskDetailsDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        shown = Shown();
        task = TaskRecord();
        lstrcpyA(task.name, "开会");
        lstrcpyA(task.message, "带上笔记本");
        lstrcpyA(task.soundPath, "C:\\Music\\bell.mp3");
        task.dueTime = MakeTime(2027, 1, 9, 8, 5);
    }
    void TearDown() override { StopAnsweringModals(); }
    INT_PTR Run(ModalHandler handler)
    {
        StartAnsweringModals(handler);
        return RunTaskDetailsDialog(GetModuleHandleA(NULL), &task);
    }
    TaskRecord task;
};

TEST_F(TaskDetailsDialogTest, ShowsTheTaskAndCancelKeepsIt)
{
    TaskRecord before = task;
    EXPECT_EQ(0, Run(ReadThenCancel));
    ASSERT_EQ(1u, ModalsSeen().size());
    EXPECT_EQ("任务详情", ModalsSeen()[0].caption);
    EXPECT_EQ("开会", shown.name);
    EXPECT_EQ("C:\\Music\\bell.mp3", shown.soundPath);
    EXPECT_EQ("带上笔记本", shown.message);
    EXPECT_EQ("2027-1-9 | 08:05", shown.dueTime);
    EXPECT_EQ(IDC_DETAILS_CHANGE, shown.focusId);
    EXPECT_EQ(0, memcmp(&before, &task, sizeof task));
}

TEST_F(TaskDetailsDialogTest, ChangeStoresTheThreeTextsCutToTheirBuffersAndKeepsTheTime)
{
    newName = std::string(300, 'n');
    newMessage = std::string(300, 'm');
    newPath = std::string(300, 'p');
    EXPECT_EQ(1, Run(EditThenChange));
    EXPECT_EQ(std::string(255, 'n'), task.name);
    EXPECT_EQ(std::string(259, 'm'), task.message);
    EXPECT_EQ(std::string(259, 'p'), task.soundPath);
    SYSTEMTIME due = MakeTime(2027, 1, 9, 8, 5);
    EXPECT_EQ(0, memcmp(&due, &task.dueTime, sizeof due));

    newName = newMessage = newPath = "";
    EXPECT_EQ(1, Run(EditThenChange));
    EXPECT_STREQ("", task.name);
    EXPECT_STREQ("", task.message);
    EXPECT_STREQ("", task.soundPath);
}

TEST_F(TaskDetailsDialogTest, StandardIdsDoNothingClosingEndsWithZeroEnterChanges)
{
    EXPECT_EQ(0, Run(StandardIdsThenClose));
    EXPECT_TRUE(shown.stillOpen);
    EXPECT_STREQ("开会", task.name);

    EXPECT_EQ(1, Run(EnterInTheMessageField));
    EXPECT_STREQ("entered", task.message);
    EXPECT_STREQ("开会", task.name);
}

}  // namespace
