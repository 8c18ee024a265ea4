#ifndef ZELBRIN_TESTS_MODAL_ANSWERER_H
#define ZELBRIN_TESTS_MODAL_ANSWERER_H

#include <windows.h>

#include <string>
#include <vector>

// What a modal window showed when it was activated.
struct ModalSeen {
    std::string className;
    std::string caption;
    std::string text;  // a message box's text (static 0xFFFF); empty otherwise
};

// Called for each modal window once it is shown, from inside its own message
// loop; it answers the window, usually by posting it a WM_COMMAND.
typedef void (*ModalHandler)(HWND window);

// The default answer: the button with id IDOK.
void PressOk(HWND window);

// Watches this thread for message boxes and dialogs from a WH_CBT hook, the
// way Wine's conformance tests do, records them and hands them to the
// handler (by default: press the button with id IDOK).
void StartAnsweringModals(ModalHandler handler = nullptr);
void StopAnsweringModals();
const std::vector<ModalSeen> &ModalsSeen();

// Windows the test itself shows are not modals to answer.
void IgnoreWindowForModals(HWND window);
// While paused, activations are neither recorded nor answered.
void PauseAnsweringModals(bool pause);

#endif
