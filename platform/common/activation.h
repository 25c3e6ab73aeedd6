// The active window and the keyboard focus, and the messages Windows sends
// when either moves.
//
// Platform: any (the Linux backend and the fake each have one, over their
// own windows through window_host.h). The backend reports what happened: a
// window was shown or brought to the foreground, the user gave a window the
// focus or took it away, a window was hidden, minimised, restored or
// destroyed, or the program called SetFocus. This sends the messages,
// synchronously and in Windows' order:
//   1. WM_ACTIVATE, WA_INACTIVE, to the window losing activation; lParam is
//      the window gaining it (null when no window of the program does);
//   2. WM_ACTIVATE, WA_ACTIVE, to the window gaining it; lParam is the one
//      losing it (or null). In both the high word of wParam is the
//      receiver's own minimised state;
//   3. the focus follows the activation: WM_KILLFOCUS to the window losing
//      it, wParam the window gaining it, then WM_SETFOCUS to the window
//      gaining it, wParam the one losing it. A minimised window gets no
//      focus until it is restored (no window has it meanwhile).
// A window that loses activation with no successor loses the focus too. A
// window procedure may destroy windows or move the activation while it
// hears any of these; each later step first checks that what it acts on is
// still so. Limitations: top-level windows only (the focus is never on a
// child); WA_CLICKACTIVE is never sent (there is no mouse activation);
// WM_NCACTIVATE and WM_ACTIVATEAPP are not sent.
#pragma once

#include "platform/common/window_host.h"

namespace common {

class Activation {
public:
    explicit Activation(WindowHost& windows) : host(&windows) {}

    HWND Active() const { return active; }
    HWND Focus() const { return focus; }

    // The window becomes the active one and gets the focus (a minimised one
    // gets none); nothing when it already is active, or is no live window.
    void Activate(HWND window);
    // The window stops being active and loses the focus, and no window of
    // the program takes over (it was hidden, minimised or destroyed, or the
    // user went to another program). Nothing for a window that had neither.
    void Deactivate(HWND window);
    // A minimised window was restored while active: it hears that it is
    // active again, now without the minimised state, and gets the focus.
    void Restored(HWND window);
    // SetFocus: gives the window the focus, activating it first when it is
    // not the active one; null takes the focus from every window. Answers
    // the window that had the focus before the call, or null when `window`
    // is no live window or did not stay active.
    HWND SetFocus(HWND window);
    // The window is gone: forget it without a message (DestroyWindow, after
    // Deactivate and WM_DESTROY), so that no later window is taken for it.
    void Forget(HWND window);

private:
    void MoveFocus(HWND window);

    WindowHost* host;
    HWND active = nullptr;
    HWND focus = nullptr;
};

// The one activation state over the backend's windows (TheWindowHost()).
Activation& TheActivation();

}  // namespace common
