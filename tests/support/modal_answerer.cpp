#include "support/modal_answerer.h"

#include <set>

static HHOOK cbtHook;
static ModalHandler modalHandler;
static std::vector<ModalSeen> modalsSeen;
static bool paused;
static std::set<HWND> ignoredWindows;
static std::set<HWND> answeredWindows;  // a modal is activated again after a nested one

static std::string WindowText(HWND window)
{
    char text[4096] = "";
    if (window)
        GetWindowTextA(window, text, sizeof text);
    return text;
}

static void PressOk(HWND window)
{
    PostMessageA(window, WM_COMMAND, IDOK, 0);
}

static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && !paused) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[64] = "";
        GetClassNameA(window, className, sizeof className);
        if (ignoredWindows.count(window) == 0 && answeredWindows.count(window) == 0 &&
            lstrcmpA(className, "#32770") == 0) {
            answeredWindows.insert(window);
            ModalSeen seen;
            seen.className = className;
            seen.caption = WindowText(window);
            seen.text = WindowText(GetDlgItem(window, 0xFFFF));
            modalsSeen.push_back(seen);
            (modalHandler ? modalHandler : PressOk)(window);
        }
    }
    if (code == HCBT_DESTROYWND) {
        // Handles are reused: a later window may get this one's.
        answeredWindows.erase(reinterpret_cast<HWND>(wParam));
        ignoredWindows.erase(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(cbtHook, code, wParam, lParam);
}

void StartAnsweringModals(ModalHandler handler)
{
    modalHandler = handler;
    modalsSeen.clear();
    if (!cbtHook)
        cbtHook = SetWindowsHookExA(WH_CBT, CbtProc, NULL, GetCurrentThreadId());
}

void StopAnsweringModals()
{
    if (cbtHook)
        UnhookWindowsHookEx(cbtHook);
    cbtHook = NULL;
    modalHandler = nullptr;
}

const std::vector<ModalSeen> &ModalsSeen()
{
    return modalsSeen;
}

void IgnoreWindowForModals(HWND window)
{
    ignoredWindows.insert(window);
}

void PauseAnsweringModals(bool pause)
{
    paused = pause;
}
