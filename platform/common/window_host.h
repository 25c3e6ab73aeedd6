// What the window behaviour both backends share (activation.h,
// def_window_proc.h) asks of the backend that keeps the windows.
//
// Platform: any. The Linux backend and the fake each implement it once over
// their own windows. The shared code decides which messages go where and in
// what order; the host only delivers them and says what its windows are.
#pragma once

#include "platform/win32.h"

namespace common {

class WindowHost {
public:
    // A window of the program that still exists (also while DestroyWindow
    // runs, until its WM_DESTROY has been heard).
    virtual bool IsLive(HWND window) = 0;
    virtual bool IsMinimized(HWND window) = 0;
    // Hands the message to the window procedure at once, as SendMessage does
    // on the window's own thread; false when the window is gone afterwards.
    virtual bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Appends the message to the thread's queue.
    virtual void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // WM_PAINT reached the default handling: the window counts as painted.
    // Any handle may come here; one the backend does not know is ignored.
    virtual void Painted(HWND window) = 0;
    // The active window is now this one (null: none of the program's).
    virtual void ActiveChanged(HWND window) = 0;
    // SC_SCREENSAVE or SC_MONITORPOWER reached the default handling, which
    // on Windows starts the screen saver or sets the display's power.
    virtual void SystemCommand(HWND window, WPARAM command, LPARAM lParam) = 0;

protected:
    ~WindowHost() = default;
};

// The backend's one host over its windows; each backend defines it.
WindowHost& TheWindowHost();

}  // namespace common
