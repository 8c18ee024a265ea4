// Not a test: puts the real program into the states that the README shows
// and saves each as <name>.bmp in the folder given (scripts/screenshots.sh
// turns them into PNG).
#include <stdio.h>

#include <vector>

#include "support/driver.h"

// As a user clicks: a radio button also takes the check.
static void Click(HWND dialog, int id)
{
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

static std::string folder;

// The minute `minutes` after `time`.
static SYSTEMTIME Plus(const SYSTEMTIME &time, int minutes)
{
    return At((Ms(time) / 60000 + minutes) * 60000);
}

static int MinutesFromNow(const SYSTEMTIME &time)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return static_cast<int>(Ms(time) / 60000 - Ms(now) / 60000);
}

// "+" and the add-task dialog filled, left open.
static HWND OpenAddDialog(const std::string &name, const SYSTEMTIME &due)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    Post(mainWindow, 1008);
    HWND dialog = WaitWindow("时间设置");
    FillAddDialog(dialog, Wide(name), now, due);
    return dialog;
}

static void Save(HWND window, const char *name)
{
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(400);  // let the program paint
    RECT rect;
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(NULL), memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::vector<BYTE> pixels(static_cast<size_t>((width * 3 + 3) & ~3) * height);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO *>(&info),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE *out = fopen((folder + "\\" + name + ".bmp").c_str(), "wb");
    fwrite(&file, sizeof file, 1, out);
    fwrite(&info, sizeof info, 1, out);
    fwrite(pixels.data(), 1, pixels.size(), out);
    fclose(out);
}

static std::string WindowsPath(std::string path)
{
    for (char &c : path)
        c = c == '/' ? '\\' : c;
    return path[0] == '\\' ? "Z:" + path : path;
}

int main(int argc, char **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: screenshots ZELBRIN FOLDER\n");
        return 2;
    }
    programPath = WindowsPath(argv[1]);
    folder = WindowsPath(argv[2]);
    if (!StartProgram())
        return 1;
    SYSTEMTIME now;
    GetLocalTime(&now);
    SYSTEMTIME soon = Plus(now, now.wSecond < 45 ? 1 : 2);
    AddTask("周会", MinutesFromNow(Plus(soon, 90)), "");
    AddTask("交报告", MinutesFromNow(Plus(soon, 60 * 26)), "");
    AddTask("喝水", MinutesFromNow(soon), "");
    HWND dialog = OpenAddDialog("买菜", Plus(soon, 300));
    Save(dialog, "add-task-dialog");
    Post(dialog, 1013);
    WaitGone(dialog);
    SendDlgItemMessageA(mainWindow, 1007, LB_SETCURSEL, 1, 0);
    Click(mainWindow, 1019);
    dialog = WaitWindow("任务详情");
    Save(dialog, "task-details");
    Post(dialog, 1013);
    WaitGone(dialog);
    Click(mainWindow, 1018);
    Sleep(1500);
    Save(mainWindow, "main-scheduled");
    Click(mainWindow, 1005);
    SetText(mainWindow, 1036, "45");
    SetText(mainWindow, 1016, "休息一下");
    SetText(mainWindow, 1015, "站起来活动活动");
    Click(mainWindow, 1030);
    Sleep(2500);
    Save(mainWindow, "interval-counting");
    // The user works in another program while Zelbrin waits in the tray.
    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    WNDCLASSA frame = {};
    frame.lpfnWndProc = DefWindowProcA;
    frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    frame.lpszClassName = "OtherProgram";
    RegisterClassA(&frame);
    HWND work = CreateWindowExA(0, "OtherProgram", "工作报告.txt - 记事本", WS_OVERLAPPEDWINDOW, 320,
                                260, 640, 480, NULL, NULL, NULL, NULL);
    HWND page = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 620, 440,
                                work, NULL, NULL, NULL);
    SetWindowTextA(page, "本周工作总结\r\n\r\n1. 完成需求评审\r\n2. ...");
    ShowWindow(work, SW_SHOWNORMAL);
    SetForegroundWindow(work);
    HWND alarm = NULL;
    for (int i = 0; i < 15000 && !alarm; ++i) {
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        alarm = WaitWindow("喝水", 10);
    }
    if (alarm) {
        Save(alarm, "scheduled-alarm");
        Save(work, "alarm-on-top");
    }
    TerminateProcess(program.hProcess, 0);
    return alarm ? 0 : 1;
}
