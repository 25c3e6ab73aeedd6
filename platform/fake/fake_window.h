// What the fake window area knows: window classes, windows, device contexts,
// pixel formats, GL contexts, the display mode and the cursor counter.
//
// Platform: none (unit tests). The fake keeps the state a real system would
// keep, so that calls made in the wrong order fail as they would there: a
// window needs a registered class, a class with live windows cannot be
// unregistered, a device context is released only for its own window, and
// so on. Showing, focusing and destroying a window send the activation and
// focus messages of platform/common/activation.h, re-entrantly, to the
// class's procedure; a first show sends WM_SIZE again and asks for a paint.
// The frame is the Linux backend's table (platform/common/window_frame.h).
#pragma once

#include <functional>
#include <string>

#include "platform/win32.h"

namespace fake {

struct WindowState {
    std::string className;
    std::string text;
    DWORD style = 0;
    DWORD exStyle = 0;
    int outerWidth = 0;
    int outerHeight = 0;
    int clientWidth = 0;   // the outer size less the frame of its styles
    int clientHeight = 0;
    bool visible = false;
    bool needsPaint = false;
};

struct DisplayMode {
    bool changed = false;  // false: the desktop mode
    DWORD width = 0;
    DWORD height = 0;
    DWORD bits = 0;
};

// The live window with this handle, or null.
const WindowState* FindWindowState(HWND window);
int LiveWindowCount();
// The most recent window CreateWindowExA made (it may since be destroyed).
HWND LastCreatedWindow();
HWND FocusWindow();
bool IsClassRegistered(const std::string& className);
// The procedure of the live window's class, or null.
WNDPROC WindowProcedureOf(HWND window);

int LiveDeviceContextCount();
int LiveRenderContextCount();
HGLRC CurrentRenderContext();
// The request last passed to ChoosePixelFormat.
PIXELFORMATDESCRIPTOR LastPixelFormatRequest();

DisplayMode CurrentDisplayMode();
// ShowCursor's display counter: 0 at start, the cursor shows while >= 0.
int CursorCounter();

// Called after every successful SwapBuffers (tests use it to count frames
// and to post messages into a running frame loop). An empty function
// removes the hook.
void OnSwapBuffers(std::function<void()> hook);

}  // namespace fake
