#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "support/main_window.h"
#include "support/modal_answerer.h"
#include "ui/tray.h"

namespace {

// What the popup menu showed, read from inside its modal loop.
struct MenuSeen {
    bool opened;
    RECT rect;
    std::vector<UINT> ids;
    std::vector<std::string> texts;
};
MenuSeen menuSeen;

BOOL CALLBACK FindMenuWindow(HWND window, LPARAM found)
{
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32768") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND *>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK ReadMenuAndClose(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND menuWindow = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindMenuWindow, reinterpret_cast<LPARAM>(&menuWindow));
    if (!menuWindow)
        return;
    KillTimer(NULL, timer);
    menuSeen.opened = true;
    GetWindowRect(menuWindow, &menuSeen.rect);
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = "";
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        menuSeen.ids.push_back(GetMenuItemID(menu, i));
        menuSeen.texts.push_back(text);
    }
    EndMenu();
}

class TrayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartAnsweringModals();
        window = CreateMainWindow();
        menuSeen = MenuSeen();
    }
    void TearDown() override
    {
        DestroyMainWindow(window);
        StopAnsweringModals();
    }
    void Notify(WPARAM iconId, UINT mouseMessage)
    {
        SendMessageA(window, WM_TRAYNOTIFY, iconId, mouseMessage);
        PumpMessages();
    }
    HWND window = NULL;
};

TEST_F(TrayTest, LeftPressShowsRestoresOrKeepsTheWindow)
{
    ShowWindow(window, SW_HIDE);
    Notify(0, WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(window));

    ShowWindow(window, SW_MINIMIZE);
    Notify(0, WM_LBUTTONDOWN);
    EXPECT_FALSE(IsIconic(window));
    EXPECT_TRUE(IsWindowVisible(window));

    Notify(0, WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(TrayTest, OtherIconsAndOtherMouseMessagesDoNothing)
{
    ShowWindow(window, SW_HIDE);
    UINT_PTR timer = SetTimer(NULL, 0, 20, ReadMenuAndClose);
    Notify(1, WM_LBUTTONDOWN);
    Notify(7, WM_RBUTTONDOWN);
    const UINT others[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK,
                           WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MOUSEMOVE};
    for (UINT message : others)
        Notify(0, message);
    Sleep(50);
    PumpMessages();
    KillTimer(NULL, timer);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(menuSeen.opened);
    EXPECT_TRUE(ModalsSeen().empty());
}

// The hidden-window case runs end to end: in a test thread that hid its own
// active window, Wine closes the menu at once.
TEST_F(TrayTest, RightPressOpensTheMenuWithItsRightEdgeAtTheCursor)
{
    SetCursorPos(600, 400);
    POINT cursor;
    GetCursorPos(&cursor);
    SetTimer(NULL, 0, 20, ReadMenuAndClose);
    Notify(0, WM_RBUTTONDOWN);

    ASSERT_TRUE(menuSeen.opened);
    EXPECT_EQ((std::vector<UINT>{IDM_TRAY_ABOUT, IDM_TRAY_EXIT}), menuSeen.ids);
    EXPECT_EQ((std::vector<std::string>{"关于", "退出"}), menuSeen.texts);
    EXPECT_EQ(cursor.x, menuSeen.rect.right);
    EXPECT_EQ(cursor.y, menuSeen.rect.top);
    // Dismissing the menu sends no command.
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(ModalsSeen().empty());
}

TEST_F(TrayTest, TheIconComesBackWhenTheTaskbarIsRecreated)
{
    ASSERT_TRUE(TrayIconExists(window));
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = window;
    Shell_NotifyIconA(NIM_DELETE, &icon);  // what an Explorer restart does to it
    ASSERT_FALSE(TrayIconExists(window));

    ShowWindow(window, SW_HIDE);
    SendMessageA(window, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(TrayIconExists(window));
    EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(TrayTest, ExitRemovesTheIconAndEndsTheDialogAlsoWhileHidden)
{
    ShowWindow(window, SW_HIDE);
    SendCommand(window, IDM_TRAY_EXIT, 0);
    PumpMessages();
    EXPECT_FALSE(TrayIconExists(window));
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(ModalsSeen().empty());
}

}  // namespace
