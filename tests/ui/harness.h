#ifndef ZELBRIN_TESTS_UI_HARNESS_H
#define ZELBRIN_TESTS_UI_HARNESS_H

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <string>
#include <vector>

#include "app/main_dialog.h"
#include "schedule/local_time.h"
#include "schedule/task_table.h"
#include "support/add_dialog.h"
#include "support/fake_clock.h"
#include "ui/panels.h"

// Modal windows opened by the code under test are caught from a WH_CBT hook,
// as Wine's own user32 tests do, and handed to `answer` from inside their
// own loop once shown. By default the add-task dialog is filled from
// nextName and nextDue and confirmed, and any other window gets IDOK.
// Message boxes are noted in `boxes` as "caption|text".
inline void (*answer)(HWND window);
inline std::vector<std::string> boxes;
inline const char *nextName;
inline SYSTEMTIME nextDue;
inline std::set<HWND> caught;
inline std::deque<HWND> waiting;

inline void Press(HWND window, int id) { PostMessageA(window, WM_COMMAND, id, 0); }
inline std::string TextOf(HWND window, int id)
{
    char text[4096] = "";
    GetDlgItemTextA(window, id, text, sizeof text);
    return text;
}

// Wine activates a dialog while it is still hidden; its loop shows it later.
inline void CALLBACK AnswerOnceShown(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (!waiting.empty() && IsWindow(waiting.front()) && !IsWindowVisible(waiting.front()))
        return;
    KillTimer(NULL, timer);
    HWND window = waiting.empty() ? NULL : waiting.front();
    if (!window || (waiting.pop_front(), !IsWindow(window)))
        return;
    char caption[256] = "";
    GetWindowTextA(window, caption, sizeof caption);
    bool addDialog = lstrcmpA(caption, "时间设置") == 0;
    SYSTEMTIME now;
    ReadLocalTime(&now);
    if (GetDlgItem(window, 0xFFFF) && !addDialog)
        boxes.push_back(std::string(caption) + "|" + TextOf(window, 0xFFFF));
    if (answer)
        answer(window);
    else if (addDialog)
        FillAddDialog(window, nextName, now, nextDue), Press(window, 1000);
    else
        Press(window, IDOK);
}

inline LRESULT CALLBACK WatchActivations(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = reinterpret_cast<HWND>(wParam);
    char name[16] = "", caption[16] = "";
    GetClassNameA(window, name, sizeof name);
    GetWindowTextA(window, caption, sizeof caption);
    if (code == HCBT_ACTIVATE && caught.insert(window).second && !lstrcmpA(name, "#32770") &&
        lstrcmpA(caption, "ZelbrinV1.0")) {
        waiting.push_back(window);
        SetTimer(NULL, 0, 1, AnswerOnceShown);
    }
    if (code == HCBT_DESTROYWND)
        caught.erase(window);  // handles are reused
    return CallNextHookEx(NULL, code, wParam, lParam);
}

// The main dialog from its template, modeless, with an empty table, a
// stopped interval and the clock at 2026-12-6 09:58:20.
class Ui : public testing::Test {
protected:
    void SetUp() override
    {
        static HHOOK hook = SetWindowsHookExA(WH_CBT, WatchActivations, NULL, GetCurrentThreadId());
        (void)hook;
        answer = nullptr;
        boxes.clear();
        ClearTasks();
        intervalRunning = 0;
        SetFakeLocalTime(MakeTime(2026, 12, 6, 9, 58, 20));
        w = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(101), NULL, MainDialogProc, 0);
        ShowWindow(w, SW_SHOWNORMAL);
    }
    void TearDown() override
    {
        NOTIFYICONDATAA icon = {};
        icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
        icon.hWnd = w;
        Shell_NotifyIconA(NIM_DELETE, &icon);
        DestroyWindow(w);
    }
    void Command(int id) { SendMessageA(w, WM_COMMAND, id, (LPARAM)GetDlgItem(w, id)); }
    std::string Text(int id) { return TextOf(w, id); }
    bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(w, id)) != FALSE; }
    bool Shown(int id) { return (GetWindowLongA(GetDlgItem(w, id), GWL_STYLE) & WS_VISIBLE) != 0; }
    void Add(const char *name, const SYSTEMTIME &due) { nextName = name, nextDue = due, Command(1008); }
    std::vector<std::string> Items()
    {
        std::vector<std::string> items;
        for (char text[1024]; (int)items.size() < SendDlgItemMessageA(w, 1007, LB_GETCOUNT, 0, 0);)
            SendDlgItemMessageA(w, 1007, LB_GETTEXT, items.size(), (LPARAM)text), items.push_back(text);
        return items;
    }
    // Whether the timer exists. It is re-armed with the longest period, so
    // that only the test's own ticks, with the test's clock, reach it.
    bool Armed(UINT_PTR id, TIMERPROC proc) { return KillTimer(w, id) && SetTimer(w, id, USER_TIMER_MAXIMUM, proc); }
    void Tick(UINT_PTR id, TIMERPROC proc, int count = 1)
    {
        for (int i = 0; i < count; ++i)
            Armed(id, proc), proc(w, WM_TIMER, id, GetTickCount());
    }
    HWND w = NULL;
};

#endif
