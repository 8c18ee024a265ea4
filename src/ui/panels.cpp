#include "ui/panels.h"

#include "res/resource.h"
#include "ui/interval.h"

// Group boxes, captions and countdown texts are only hidden and shown.
static const int kScheduledInputs[] = {
    IDC_MAIN_TASK_LIST,     IDC_MAIN_ADD,     IDC_MAIN_DELETE,  IDC_MAIN_CLEAR,
    IDC_MAIN_PURGE_INVALID, IDC_MAIN_EXECUTE, IDC_MAIN_DETAILS, IDC_MAIN_STOP_TASK,
};
static const int kScheduledControls[] = {
    IDC_MAIN_OPERATIONS_GROUP, IDC_MAIN_TASK_COUNTDOWN_LABEL,
    IDC_MAIN_TASK_LIST,        IDC_MAIN_ADD,
    IDC_MAIN_DELETE,           IDC_MAIN_CLEAR,
    IDC_MAIN_PURGE_INVALID,    IDC_MAIN_EXECUTE,
    IDC_MAIN_DETAILS,          IDC_MAIN_STOP_TASK,
    IDC_MAIN_TASK_COUNTDOWN,
};
// The minutes field leads this list; ShowIntervalPanel treats it apart.
static const int kIntervalInputs[] = {
    IDC_MAIN_MINUTES,      IDC_MAIN_TITLE,          IDC_MAIN_MESSAGE,       IDC_MAIN_SOUND_PATH,
    IDC_MAIN_BROWSE_SOUND, IDC_MAIN_START_INTERVAL, IDC_MAIN_STOP_INTERVAL,
};
static const int kIntervalControls[] = {
    IDC_MAIN_TIME_GROUP,
    IDC_MAIN_INTERVAL_COUNTDOWN_LABEL,
    IDC_MAIN_EVERY_LABEL,
    IDC_MAIN_MINUTES_LABEL,
    IDC_MAIN_PROMPT_GROUP,
    IDC_MAIN_TITLE_LABEL,
    IDC_MAIN_MESSAGE_LABEL,
    IDC_MAIN_MINUTES,
    IDC_MAIN_TITLE,
    IDC_MAIN_MESSAGE,
    IDC_MAIN_SOUND_PATH,
    IDC_MAIN_BROWSE_SOUND,
    IDC_MAIN_START_INTERVAL,
    IDC_MAIN_STOP_INTERVAL,
    IDC_MAIN_INTERVAL_COUNTDOWN,
};

template <size_t N>
static void EnableControls(HWND window, const int (&ids)[N], size_t first, BOOL enable)
{
    for (size_t i = first; i < N; ++i)
        EnableWindow(GetDlgItem(window, ids[i]), enable);
}

template <size_t N>
static void ShowControls(HWND window, const int (&ids)[N], int showCommand)
{
    for (size_t i = 0; i < N; ++i)
        ShowWindow(GetDlgItem(window, ids[i]), showCommand);
}

void HideScheduledPanel(HWND mainWindow)
{
    EnableControls(mainWindow, kScheduledInputs, 0, FALSE);
    ShowControls(mainWindow, kScheduledControls, SW_HIDE);
}

void ShowScheduledPanel(HWND mainWindow)
{
    EnableControls(mainWindow, kScheduledInputs, 0, TRUE);
    ShowControls(mainWindow, kScheduledControls, SW_SHOWNORMAL);
}

void HideIntervalPanel(HWND mainWindow)
{
    EnableControls(mainWindow, kIntervalInputs, 0, FALSE);
    ShowControls(mainWindow, kIntervalControls, SW_HIDE);
}

void ShowIntervalPanel(HWND mainWindow)
{
    if (!IntervalRunning())
        EnableWindow(GetDlgItem(mainWindow, IDC_MAIN_MINUTES), TRUE);
    EnableControls(mainWindow, kIntervalInputs, 1, TRUE);
    ShowControls(mainWindow, kIntervalControls, SW_SHOWNORMAL);
}
