#include "ui/task_details_dialog.h"

#include "res/resource.h"
#include "schedule/format_text.h"
#include "schedule/time_rules.h"
#include "sound/sound.h"
#include "text/gbk_text.h"

INT_PTR RunTaskDetailsDialog(HINSTANCE instance, TaskRecord *task)
{
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_TASK_DETAILS), NULL, TaskDetailsDialogProc,
                           reinterpret_cast<LPARAM>(task));
}

// Each open dialog keeps its own record with its window: several can be
// open at once, since the main window stays usable.
static TaskRecord *EditedTask(HWND dialog)
{
    return reinterpret_cast<TaskRecord *>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

static BOOL InitTaskDetailsDialog(HWND dialog, LPARAM task)
{
    SetWindowLongPtrA(dialog, GWLP_USERDATA, task);
    const TaskRecord *editedTask = EditedTask(dialog);
    SetDlgItemGbkText(dialog, IDC_DETAILS_NAME, editedTask->name);
    SetDlgItemGbkText(dialog, IDC_DETAILS_SOUND_PATH, editedTask->soundPath);
    SetDlgItemGbkText(dialog, IDC_DETAILS_MESSAGE, editedTask->message);
    char dueText[kTimeTextSize] = "";
    FormatTaskTime(editedTask->dueTime, dueText);
    SetDlgItemGbkText(dialog, IDC_DETAILS_DUE_TIME, dueText);
    UseChineseCapableFont(dialog);
    return TRUE;
}

// A refused sound path keeps the dialog open, with the field as typed.
static void StoreEdits(HWND dialog)
{
    char soundPath[kSoundPathSize];
    if (!TakeSoundPath(dialog, IDC_DETAILS_SOUND_PATH, soundPath))
        return;
    TaskRecord *editedTask = EditedTask(dialog);
    editedTask->message[0] = '\0';
    editedTask->soundPath[0] = '\0';
    editedTask->name[0] = '\0';
    GetDlgItemGbkText(dialog, IDC_DETAILS_NAME, editedTask->name, sizeof editedTask->name);
    GetDlgItemGbkText(dialog, IDC_DETAILS_MESSAGE, editedTask->message, sizeof editedTask->message);
    CopyText(editedTask->soundPath, sizeof editedTask->soundPath, soundPath);
    EndDialog(dialog, 1);
}

static void TaskDetailsDialogCommand(HWND dialog, int controlId)
{
    switch (controlId) {
    case IDC_DETAILS_CHANGE:
        StoreEdits(dialog);
        break;
    case IDC_DETAILS_CANCEL:
        EndDialog(dialog, 0);
        break;
    default:
        // IDOK and IDCANCEL from the dialog manager end nothing.
        break;
    }
}

INT_PTR CALLBACK TaskDetailsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return InitTaskDetailsDialog(dialog, lParam);
    case WM_COMMAND:
        TaskDetailsDialogCommand(dialog, LOWORD(wParam));
        return FALSE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return FALSE;
    }
    return FALSE;
}
