// The fake's window records and the internal calls its window, class,
// focus, GL and queue files share (as platform/linux/window_object.h is the
// Linux backend's).
//
// Platform: none (unit tests). Windows, device contexts and GL contexts are
// numbered handles that are never reused, looked up before use, so a stale
// or foreign handle is refused instead of taken for another.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "platform/common/activation.h"
#include "platform/fake/fake_window.h"

namespace fake {

struct ClassRecord {
    WNDPROC procedure = nullptr;
    HINSTANCE instance = nullptr;
};

struct WindowRecord {
    WindowState state;
    int pixelFormat = 0;
    bool shown = false;  // ShowWindow has shown it once
};

struct WindowArea {
    std::map<std::string, ClassRecord> classes;
    std::map<HWND, WindowRecord> windows;
    std::map<HDC, HWND> deviceContexts;  // each to its window
    std::map<HGLRC, HDC> renderContexts;
    uintptr_t nextAtom = 0xC000;
    uintptr_t nextWindow = 0x1000;
    uintptr_t nextDeviceContext = 0x2000;
    uintptr_t nextRenderContext = 0x3000;
    HWND lastCreated = nullptr;
    HGLRC current = nullptr;
    PIXELFORMATDESCRIPTOR lastRequest{};
    DisplayMode mode;
    int cursorCounter = 0;
    std::function<void()> swapHook;
};

// Everything above, put back to its start values by Reset().
WindowArea& TheWindowArea();

// The live window with this handle, or null.
WindowRecord* FindWindowRecord(HWND window);

template <typename Handle>
Handle MakeHandle(uintptr_t& next) {
    return reinterpret_cast<Handle>(++next);
}

// Painting, for the queue: the first shown window not painted since it was
// shown that passes the filter (null: any), or null; and marking it painted.
HWND WindowToPaint(HWND filter);
void MarkPainted(HWND window);

// The fake's windows as the shared window behaviour sees them
// (fake_window_host.cpp), and the one active window and focus over them.
using common::TheActivation;
using common::TheWindowHost;

}  // namespace fake
