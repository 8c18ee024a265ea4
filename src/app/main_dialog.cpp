#include "app/main_dialog.h"

#include "app/skin.h"
#include "res/resource.h"
#include "schedule/task_table.h"
#include "sound/sound.h"
#include "text/gbk_text.h"
#include "ui/alarm.h"
#include "ui/countdown.h"
#include "ui/interval.h"
#include "ui/panels.h"
#include "ui/task_list.h"
#include "ui/tray.h"

static HINSTANCE programInstance;

const char USAGE_TEXT[] =
    "ZelbrinV1.0 （把握时间，不让它与你擦肩而过~）\n"
    "\n"
    "-----------------------------------------------\n"
    "\n"
    "该软件采用到点弹窗并自动播放音乐的提示方式，提示音可自行设置，对于定时模式中的不同任务可以设置不同的提示音。\n"
    "\n"
    "定时：\n"
    "【+】加入单条任务\n"
    "【-】删除选中任务(如果正在执行，则终止执行)\n"
    "【清空】清空全部任务并停终止正在执行的任务\n"
    "【删除无效】清空列表中的全部失效任务\n"
    "【任务详情】查看选中任务的各种信息，并且可以进行修改\n"
    "【停止任务】停止任务、计时停止\n"
    "【执行】执行任务、计时开始\n"
    "【注意1】插入的任务会按时间先后自动排序。\n"
    "【注意2】若当前时间已经超过列表中的某任务，此类任务则称为[无效任务]，[无效任务]无法执行，请经常清理无效任务^_^。\n"
    "\n"
    "隔时：\n"
    "【时间设置】设置时间间隔（单位：分）\n"
    "【提示设置】设置弹窗的提示内容以及窗口标题\n"
    "【开始计时】开始计时，并且时间设置区会处于[禁用]状态\n"
    "【停止计时】停止计时，时间设置区恢复[可用]状态\n"
    "\n"
    "【注意】窗口关闭后程序自动在后台运行，右键托盘图标->[退出]结束程序，左键托盘图标显示窗口";

// Returning FALSE for everything but WM_INITDIALOG lets the dialog manager's
// default handling follow: a close request then also issues IDCANCEL, which
// the command table ignores.
INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsTaskbarCreatedMessage(message)) {
        RestoreTrayIcon();
        return FALSE;
    }
    switch (message) {
    case WM_INITDIALOG:
        return InitMainDialog(window);
    case WM_COMMAND:
        MainDialogCommand(window, LOWORD(wParam), lParam, HIWORD(wParam));
        return FALSE;
    case WM_CLOSE:
        HideMainWindow(window);
        return FALSE;
    case WM_TRAYNOTIFY:
        HandleTrayNotify(window, wParam, lParam);
        return FALSE;
    case WM_ALARMSHOWN:
        HandleAlarmShown(wParam, lParam);
        return FALSE;
    case WM_ALARMANSWER:
        HandleAlarmAnswer(window, wParam, lParam);
        return FALSE;
    }
    return FALSE;
}

BOOL InitMainDialog(HWND mainWindow)
{
    CreateTrayMenu();
    ClearTrayIconData();
    SetDlgItemGbkText(mainWindow, IDC_MAIN_SOUND_PATH, SOUND_HINT);
    programInstance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
    ZeroTaskSlots();
    SendDlgItemMessageA(mainWindow, IDC_MAIN_SCHEDULED_RADIO, BM_SETCHECK, BST_CHECKED, 0);
    HideIntervalPanel(mainWindow);
    AddTrayIcon(mainWindow, programInstance);
    UseChineseCapableFont(mainWindow);
    SkinH_Attach();
    return TRUE;
}

// Ends the process here and now: ending the dialog would wait for the
// innermost modal loop (an alarm, a task dialog, the file chooser, the usage
// box) to return, and meanwhile the timers would go on ringing, with no icon
// left to reach the program. Nothing is kept between runs, so nothing is lost.
static void ExitProgram()
{
    RemoveTrayIcon();
    StopAllAlarmSounds();
    ExitProcess(0);
}

// Only the control id is read: every notification a listed control sends
// runs its command.
void MainDialogCommand(HWND mainWindow, int controlId, LPARAM, int)
{
    switch (controlId) {
    case IDC_MAIN_SCHEDULED_RADIO:
        HideIntervalPanel(mainWindow);
        ShowScheduledPanel(mainWindow);
        break;
    case IDC_MAIN_INTERVAL_RADIO:
        HideScheduledPanel(mainWindow);
        ShowIntervalPanel(mainWindow);
        break;
    case IDC_MAIN_ADD:
        AddTaskCommand(mainWindow);
        break;
    case IDC_MAIN_DELETE:
        DeleteTaskCommand(mainWindow);
        break;
    case IDC_MAIN_CLEAR:
        ClearTasksCommand(mainWindow);
        break;
    case IDC_MAIN_PURGE_INVALID:
        PurgeInvalidTasksCommand(mainWindow);
        break;
    case IDC_MAIN_EXECUTE:
        ExecuteCommand(mainWindow);
        break;
    case IDC_MAIN_DETAILS:
        TaskDetailsCommand(mainWindow);
        break;
    case IDC_MAIN_STOP_TASK:
        StopCountdown(mainWindow);
        break;
    case IDC_MAIN_START_INTERVAL:
        StartIntervalCommand(mainWindow);
        break;
    case IDC_MAIN_STOP_INTERVAL:
        StopIntervalCommand(mainWindow);
        break;
    case IDC_MAIN_BROWSE_SOUND:
        BrowseForSound(mainWindow, IDC_MAIN_SOUND_PATH);
        break;
    case IDM_USAGE:
    case IDM_TRAY_ABOUT:
        ShowUsage(mainWindow);
        break;
    case IDM_TRAY_EXIT:
        ExitProgram();
        break;
    default:
        // IDOK and IDCANCEL from the dialog manager, list and edit
        // notifications: nothing.
        break;
    }
}

void HideMainWindow(HWND mainWindow)
{
    ShowWindow(mainWindow, SW_HIDE);
}

void ShowUsage(HWND mainWindow)
{
    GbkMessageBox(mainWindow, USAGE_TEXT, "使用说明", MB_OK);
}
