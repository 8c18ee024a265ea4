#ifndef ZELBRIN_TESTS_ADD_DIALOG_H
#define ZELBRIN_TESTS_ADD_DIALOG_H

#include <windows.h>

#include <string>

// Picks as a user does: the selection changes, then the dialog hears of it.
inline void Select(HWND dialog, int id, int index)
{
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), (LPARAM)GetDlgItem(dialog, id));
}

// Fills an open add-task dialog (message: the name and "!"); a month or day
// of 0 is left unpicked. In-process and from another process alike.
inline void FillAddDialog(HWND dialog, const std::string &name, const SYSTEMTIME &now, const SYSTEMTIME &due)
{
    SendDlgItemMessageA(dialog, 1018, WM_SETTEXT, 0, (LPARAM)name.c_str());
    SendDlgItemMessageA(dialog, 1015, WM_SETTEXT, 0, (LPARAM)(name + "!").c_str());
    const int lists[] = {1022, 1023, 1024, 1016, 1017};
    const int picks[] = {due.wYear - now.wYear, due.wMonth - 1, due.wDay - 1, due.wHour, due.wMinute};
    for (int i = 0; i < 5; ++i)
        if (picks[i] >= 0)
            Select(dialog, lists[i], picks[i]);
}

#endif
