// Linux backend: the active window and the keyboard focus.
//
// Platform: Linux. Dependencies: SDL2. Like Windows, the backend keeps one
// active window and one focus window and tells the windows when either moves
// (WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS), synchronously from the call that
// moved it: ShowWindow, SetForegroundWindow, SetFocus, DestroyWindow, or the
// SDL focus and minimise events. Reports are sent only on a change, so the
// X server's own focus events after a synchronous activation add nothing.
// The screen-saver file is told which window is active (screen_saver.cpp).
// Limitations: windows of other programs are not known; losing the X focus
// to one simply leaves no window of this program active.
#include "platform/linux/failure_reason.h"
#include "platform/linux/screen_saver.h"
#include "platform/linux/window_object.h"

namespace backend {
namespace {

uint64_t activeSerial = 0;  // 0: none
uint64_t focusSerial = 0;

WindowObject* ActiveWindow() { return activeSerial != 0 ? FindWindowBySerial(activeSerial) : nullptr; }

WPARAM ActivationWParam(WORD state, const WindowObject* window) {
    return MAKEWPARAM(state, window->minimized ? 1 : 0);
}

void LoseFocus(WindowObject* window, HWND successor) {
    if (focusSerial != window->serial) return;
    focusSerial = 0;
    SendToWindow(window, WM_KILLFOCUS, reinterpret_cast<WPARAM>(successor), 0);
}

}  // namespace

WindowObject* FocusWindow() { return focusSerial != 0 ? FindWindowBySerial(focusSerial) : nullptr; }

void ActivateWindow(WindowObject* window) {
    if (activeSerial == window->serial) return;
    const uint64_t serial = window->serial;
    if (WindowObject* previous = ActiveWindow()) {
        activeSerial = 0;
        if (SendToWindow(previous, WM_ACTIVATE, ActivationWParam(WA_INACTIVE, previous),
                         reinterpret_cast<LPARAM>(window))) {
            LoseFocus(previous, window);
        }
        window = FindWindowBySerial(serial);
        if (window == nullptr) return;
    }
    activeSerial = serial;
    ScreenSaverWindowActivated(serial);
    window->needsPaint = true;
    if (!SendToWindow(window, WM_ACTIVATE, ActivationWParam(WA_ACTIVE, window), 0)) return;
    if (focusSerial == serial) return;
    if (WindowObject* previousFocus = FocusWindow()) {
        LoseFocus(previousFocus, window);
        window = FindWindowBySerial(serial);
        if (window == nullptr) return;
    }
    focusSerial = serial;
    SendToWindow(window, WM_SETFOCUS, 0, 0);
}

void ReportRestoredActivation(WindowObject* window) {
    if (activeSerial != window->serial || window->minimized) return;
    SendToWindow(window, WM_ACTIVATE, ActivationWParam(WA_ACTIVE, window), 0);
}

void DeactivateWindow(WindowObject* window) {
    if (activeSerial == window->serial) {
        activeSerial = 0;
        ScreenSaverWindowDeactivated();
        if (!SendToWindow(window, WM_ACTIVATE, ActivationWParam(WA_INACTIVE, window), 0)) return;
    }
    LoseFocus(window, nullptr);
}

}  // namespace backend

BOOL WINAPI SetForegroundWindow(HWND handle) {
    backend::WindowObject* window = backend::FindWindowObject(handle);
    if (window == nullptr) {
        backend::ReportFailure("SetForegroundWindow", "not a live window");
        return FALSE;
    }
    SDL_RaiseWindow(window->sdlWindow);
    backend::ActivateWindow(window);
    return TRUE;
}

HWND WINAPI SetFocus(HWND handle) {
    using namespace backend;
    WindowObject* previous = FocusWindow();
    if (handle == nullptr) {
        if (previous != nullptr) LoseFocus(previous, nullptr);
        return previous;
    }
    WindowObject* window = FindWindowObject(handle);
    if (window == nullptr) {
        ReportFailure("SetFocus", "not a live window");
        return nullptr;
    }
    if (window->visible) SDL_SetWindowInputFocus(window->sdlWindow);
    // Focusing a window of an inactive top-level window activates it, which
    // also gives it the focus.
    if (ActiveWindow() != window) {
        ActivateWindow(window);
    } else if (previous != window) {
        const uint64_t serial = window->serial;
        if (previous != nullptr) LoseFocus(previous, window);
        window = FindWindowBySerial(serial);
        if (window != nullptr) {
            focusSerial = serial;
            SendToWindow(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
        }
    }
    return previous;
}
