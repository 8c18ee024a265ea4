#include "ui/add_task_dialog.h"

#include <stdlib.h>

#include "res/resource.h"
#include "schedule/format_text.h"
#include "schedule/local_time.h"
#include "schedule/time_rules.h"
#include "sound/sound.h"
#include "text/gbk_text.h"

static const int kPickerTextSize = 256;
static const int kYearsAhead = 50;

INT_PTR RunAddTaskDialog(HINSTANCE instance, TaskRecord *record)
{
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ADD_TASK), NULL, AddTaskDialogProc,
                           reinterpret_cast<LPARAM>(record));
}

// CB_INSERTSTRING at -1 appends: the lists keep the order of insertion
// although the template asks for CBS_SORT.
static void AppendNumber(HWND dialog, int listId, int number, bool twoDigits)
{
    char text[kPickerTextSize];
    FormatText(text, sizeof text, twoDigits ? "%02d" : "%d", number);
    SendGbkString(dialog, listId, CB_INSERTSTRING, static_cast<WPARAM>(-1), text);
}

static void AppendRange(HWND dialog, int listId, int first, int last, bool twoDigits)
{
    for (int number = first; number <= last; ++number)
        AppendNumber(dialog, listId, number, twoDigits);
}

void FillPickerLists(HWND dialog)
{
    SYSTEMTIME now;
    ReadLocalTime(&now);
    AppendRange(dialog, IDC_ADD_YEAR_LIST, now.wYear, now.wYear + kYearsAhead, false);
    AppendRange(dialog, IDC_ADD_MONTH_LIST, 1, 12, true);
    AppendRange(dialog, IDC_ADD_HOUR_LIST, 0, 23, true);
    AppendRange(dialog, IDC_ADD_MINUTE_LIST, 0, 59, true);
}

// atoi of the selected item's text; 0 without a selection.
static int PickerValue(HWND dialog, int listId)
{
    char text[kPickerTextSize] = "";
    LRESULT selected = SendDlgItemMessageA(dialog, listId, CB_GETCURSEL, 0, 0);
    if (selected != CB_ERR)
        GetComboItemGbkText(dialog, listId, static_cast<int>(selected), text, sizeof text);
    return atoi(text);
}

int RefillDayList(HWND dialog)
{
    while (SendDlgItemMessageA(dialog, IDC_ADD_DAY_LIST, CB_GETCOUNT, 0, 0) > 0)
        SendDlgItemMessageA(dialog, IDC_ADD_DAY_LIST, CB_DELETESTRING, 0, 0);
    int month = PickerValue(dialog, IDC_ADD_MONTH_LIST);
    int year = PickerValue(dialog, IDC_ADD_YEAR_LIST);
    // Month 0 (none picked yet) gets 30 days, like every month number that
    // is neither long nor February.
    AppendRange(dialog, IDC_ADD_DAY_LIST, 1, DaysInMonth(month, year), true);
    return 1;
}

void ReadDueTime(HWND dialog, TaskRecord *record)
{
    record->dueTime.wYear = static_cast<WORD>(PickerValue(dialog, IDC_ADD_YEAR_LIST));
    record->dueTime.wMonth = static_cast<WORD>(PickerValue(dialog, IDC_ADD_MONTH_LIST));
    record->dueTime.wDay = static_cast<WORD>(PickerValue(dialog, IDC_ADD_DAY_LIST));
    record->dueTime.wHour = static_cast<WORD>(PickerValue(dialog, IDC_ADD_HOUR_LIST));
    record->dueTime.wMinute = static_cast<WORD>(PickerValue(dialog, IDC_ADD_MINUTE_LIST));
}

bool ReadTaskFields(HWND dialog, TaskRecord *record)
{
    char soundPath[kSoundPathSize];
    if (!TakeSoundPath(dialog, IDC_ADD_SOUND_PATH, soundPath))
        return false;
    GetDlgItemGbkText(dialog, IDC_ADD_NAME, record->name, sizeof record->name);
    GetDlgItemGbkText(dialog, IDC_ADD_MESSAGE, record->message, sizeof record->message);
    ReadDueTime(dialog, record);
    CopyText(record->soundPath, sizeof record->soundPath, soundPath);
    return true;
}

static BOOL InitAddTaskDialog(HWND dialog, LPARAM record)
{
    FillPickerLists(dialog);
    EnableWindow(GetDlgItem(dialog, IDC_ADD_MONTH_LIST), FALSE);
    EnableWindow(GetDlgItem(dialog, IDC_ADD_DAY_LIST), FALSE);
    SetWindowLongPtrA(dialog, GWLP_USERDATA, record);
    SetDlgItemGbkText(dialog, IDC_ADD_SOUND_PATH, SOUND_HINT);
    UseChineseCapableFont(dialog);
    return TRUE;
}

// A refused sound path keeps the dialog open, with the field as typed.
static void AcceptTask(HWND dialog)
{
    TaskRecord *record = reinterpret_cast<TaskRecord *>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    if (ReadTaskFields(dialog, record))
        EndDialog(dialog, 1);
}

// Every notification of a list runs its case, not only a changed selection:
// even the month list gaining the focus enables and fills the day list.
static void AddTaskDialogCommand(HWND dialog, int controlId)
{
    switch (controlId) {
    case IDC_ADD_OK:
        AcceptTask(dialog);
        break;
    case IDC_ADD_CANCEL:
        EndDialog(dialog, 0);
        break;
    case IDC_ADD_YEAR_LIST:
        if (SendDlgItemMessageA(dialog, IDC_ADD_YEAR_LIST, CB_GETCURSEL, 0, 0) != CB_ERR) {
            EnableWindow(GetDlgItem(dialog, IDC_ADD_MONTH_LIST), TRUE);
            RefillDayList(dialog);
        }
        break;
    case IDC_ADD_MONTH_LIST:
        if (RefillDayList(dialog) == 1)
            EnableWindow(GetDlgItem(dialog, IDC_ADD_DAY_LIST), TRUE);
        break;
    case IDC_ADD_BROWSE_SOUND:
        BrowseForSound(dialog, IDC_ADD_SOUND_PATH);
        break;
    default:
        // IDOK and IDCANCEL from the dialog manager end nothing.
        break;
    }
}

INT_PTR CALLBACK AddTaskDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return InitAddTaskDialog(dialog, lParam);
    case WM_COMMAND:
        AddTaskDialogCommand(dialog, LOWORD(wParam));
        return FALSE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return FALSE;
    }
    return FALSE;
}
