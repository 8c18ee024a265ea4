#include "support/task_script.h"

#include "res/resource.h"
#include "schedule/local_time.h"
#include "support/modal_answerer.h"
#include "ui/countdown.h"

static AddScript addScript;
static DetailsScript detailsScript;
static void (*boxAction)();

void ScriptNextAdd(const AddScript &script)
{
    addScript = script;
}

void ScriptNextDetails(const DetailsScript &script)
{
    detailsScript = script;
}

void WhileNextBoxIsOpen(void (*action)())
{
    boxAction = action;
}

static void Select(HWND dialog, int id, int index)
{
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

static void AnswerAddDialog(HWND dialog)
{
    const AddScript &s = addScript;
    if (s.confirm) {
        SYSTEMTIME now;
        ReadLocalTime(&now);
        SetDlgItemTextA(dialog, IDC_ADD_NAME, s.name.c_str());
        SetDlgItemTextA(dialog, IDC_ADD_MESSAGE, s.message.c_str());
        if (!s.soundPath.empty())
            SetDlgItemTextA(dialog, IDC_ADD_SOUND_PATH, s.soundPath.c_str());
        Select(dialog, IDC_ADD_YEAR_LIST, s.due.wYear - now.wYear);
        if (s.due.wMonth)
            Select(dialog, IDC_ADD_MONTH_LIST, s.due.wMonth - 1);
        if (s.due.wDay)
            Select(dialog, IDC_ADD_DAY_LIST, s.due.wDay - 1);
        Select(dialog, IDC_ADD_HOUR_LIST, s.due.wHour);
        Select(dialog, IDC_ADD_MINUTE_LIST, s.due.wMinute);
    }
    PostMessageA(dialog, WM_COMMAND, s.confirm ? IDC_ADD_OK : IDC_ADD_CANCEL, 0);
}

static void AnswerDetailsDialog(HWND dialog)
{
    DetailsScript s = detailsScript;
    detailsScript = DetailsScript();
    if (s.whileOpen)
        s.whileOpen();
    if (s.confirm) {
        SetDlgItemTextA(dialog, IDC_DETAILS_NAME, s.name.c_str());
        SetDlgItemTextA(dialog, IDC_DETAILS_MESSAGE, s.message.c_str());
        SetDlgItemTextA(dialog, IDC_DETAILS_SOUND_PATH, s.soundPath.c_str());
    }
    PostMessageA(dialog, WM_COMMAND, s.confirm ? IDC_DETAILS_CHANGE : IDC_DETAILS_CANCEL, 0);
}

void AnswerScripted(HWND window)
{
    char caption[64] = "";
    GetWindowTextA(window, caption, sizeof caption);
    if (lstrcmpA(caption, "时间设置") == 0) {
        AnswerAddDialog(window);
        return;
    }
    if (lstrcmpA(caption, "任务详情") == 0) {
        AnswerDetailsDialog(window);
        return;
    }
    if (boxAction) {
        void (*action)() = boxAction;
        boxAction = nullptr;
        action();
    }
    // A message box: its one button, or Yes of a Yes/No box.
    PostMessageA(window, WM_COMMAND, GetDlgItem(window, IDYES) ? IDYES : IDOK, 0);
}

std::vector<std::string> ListItems(HWND mainWindow)
{
    std::vector<std::string> items;
    HWND list = GetDlgItem(mainWindow, IDC_MAIN_TASK_LIST);
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[1024] = "";
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

bool ScheduleTimerRunning(HWND mainWindow)
{
    if (!KillTimer(mainWindow, kScheduleTimerId))
        return false;
    SetTimer(mainWindow, kScheduleTimerId, USER_TIMER_MAXIMUM, ScheduleTimerProc);
    return true;
}
