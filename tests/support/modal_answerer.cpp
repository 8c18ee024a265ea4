#include "support/modal_answerer.h"

#include <deque>
#include <set>

static HHOOK cbtHook;
static bool paused;
static ModalHandler modalHandler;
static std::vector<ModalSeen> modalsSeen;
static std::set<HWND> ignoredWindows;
static std::set<HWND> answeredWindows;  // a modal is activated again after a nested one
static std::deque<HWND> waitingWindows;

static std::string WindowText(HWND window)
{
    char text[4096] = "";
    if (window)
        GetWindowTextA(window, text, sizeof text);
    return text;
}

void PressOk(HWND window)
{
    PostMessageA(window, WM_COMMAND, IDOK, 0);
}

// Runs inside the modal window's own message loop, once it is shown: Wine
// activates a dialog while it is still hidden, when it sets the focus, and
// shows it only when its loop first runs idle.
static void CALLBACK AnswerWaitingModal(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (waitingWindows.empty()) {
        KillTimer(NULL, timer);
        return;
    }
    HWND window = waitingWindows.front();
    if (IsWindow(window) && !IsWindowVisible(window))
        return;  // the timer comes again
    KillTimer(NULL, timer);
    waitingWindows.pop_front();
    if (IsWindow(window))
        (modalHandler ? modalHandler : PressOk)(window);
}

static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && !paused && ignoredWindows.count(window) == 0 &&
        answeredWindows.count(window) == 0) {
        char className[64] = "";
        GetClassNameA(window, className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0) {
            answeredWindows.insert(window);
            ModalSeen seen;
            seen.className = className;
            seen.caption = WindowText(window);
            seen.text = WindowText(GetDlgItem(window, 0xFFFF));
            modalsSeen.push_back(seen);
            waitingWindows.push_back(window);
            SetTimer(NULL, 0, 1, AnswerWaitingModal);
        }
    }
    if (code == HCBT_DESTROYWND) {
        // Handles are reused: a later window may get this one's.
        answeredWindows.erase(window);
        ignoredWindows.erase(window);
    }
    return CallNextHookEx(cbtHook, code, wParam, lParam);
}

void StartAnsweringModals(ModalHandler handler)
{
    modalHandler = handler;
    modalsSeen.clear();
    waitingWindows.clear();
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
