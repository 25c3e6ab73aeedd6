// The fake's one modal dialog: its controls, timers and end, and the calls
// its dialog files share (as platform/linux/dialog_window.h is the Linux
// backend's).
//
// Platform: none (unit tests).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace fake {

// The notifications a control sends its dialog with WM_COMMAND.
constexpr WORD kClicked = 0;           // BN_CLICKED
constexpr WORD kSelectionChanged = 1;  // CBN_SELCHANGE

struct DialogControl {
    int id = 0;
    uint16_t controlClass = 0;
    bool checkBox = false;
    std::string text;
    std::vector<std::string> entries;
    int selection = CB_ERR;
    int check = BST_UNCHECKED;
};

struct DialogTimer {
    UINT_PTR id;
    UINT period;
    TIMERPROC callback;
    uint64_t due;  // in the dialog's time (DialogHost::elapsedMs)
};

struct DialogHost {
    uintptr_t nextHandle = 0x4000;
    HWND dialog = nullptr;
    DLGPROC procedure = nullptr;
    bool running = false;  // between WM_INITDIALOG and the return of DialogBoxParamA
    bool ended = false;
    bool needsPaint = false;
    INT_PTR result = 0;
    uint64_t elapsedMs = 0;  // fake time passed while the dialog waited for its user
    std::vector<DialogControl> controls;
    std::vector<DialogTimer> timers;
    std::function<void(HWND)> script;
};

DialogHost& TheDialogHost();

// The control of the running dialog, or null (another handle, no such id,
// or no dialog running).
DialogControl* FindControl(HWND dialog, int id);
// A WM_PAINT of this handle reached the default handling (nothing for any
// handle but the running dialog's).
void MarkDialogPainted(HWND dialog);
// Delivers WM_TIMER for the timer: to its callback when SetTimer was given
// one, else to the dialog procedure (fake_dialog_timer.cpp).
void Tick(const DialogTimer& timer);

}  // namespace fake
