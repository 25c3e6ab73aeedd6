// A top-level window whose procedure logs every message it gets before the
// default handling, for tests of the window and message calls. Made only
// through the Win32 subset, so it works on every target.
#pragma once

#include <string>
#include <vector>

#include "platform/win32.h"

struct LoggedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    HWND window;
};

class LoggedWindow {
public:
    // `style` WS_POPUP makes a borderless window; the client area is
    // `width` by `height` either way.
    explicit LoggedWindow(DWORD style = WS_OVERLAPPEDWINDOW, int width = 200, int height = 150);
    ~LoggedWindow();
    LoggedWindow(const LoggedWindow&) = delete;
    LoggedWindow& operator=(const LoggedWindow&) = delete;

    HWND Handle() const { return window; }
    bool Alive() const { return window != nullptr; }
    const std::vector<LoggedMessage>& Log() const { return log; }
    void ClearLog() { log.clear(); }
    // Position of the first `message` at or after `from`, or -1.
    int IndexOf(UINT message, int from = 0) const;
    int Count(UINT message) const;
    // Takes and dispatches what is queued for this window (no WM_QUIT).
    void DispatchQueued();

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    char className[32] = {};
    HWND window = nullptr;
    std::vector<LoggedMessage> log;
};

// The activation and focus messages every logged window heard since the last
// call, in the order heard, one line each: who heard it ("first", "second" or
// "another"), what, and the window wParam or lParam names ("0" for none); for
// WM_ACTIVATE, wParam's low and high words first.
std::vector<std::string> FocusTrail(HWND first, HWND second = nullptr);
