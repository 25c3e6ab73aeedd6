// Linux backend: X windows the program is given (by xscreensaver, or by id on
// the command line) and the GL child windows it draws in inside them.
//
// Platform: Linux. Dependencies: Xlib, GLX, SDL2. The backend keeps a display
// connection of its own for these windows. A given window becomes an HWND
// (WindowFromId, platform/window_id.h) that can be the parent of
// CreateWindowExA with WS_CHILD, be measured with GetClientRect and be
// watched with IsWindow; the program never changes, maps or draws in it.
// The child is an X window of ours with a GLX visual (double-buffered RGBA
// with a depth buffer) whatever the parent's visual, handed to SDL as a
// foreign GL window so that the GL context, buffer swaps and its events go
// through the same paths as any other window. MoveWindow resizes it; the
// caller follows the parent's size by polling it (the program's saver does so
// every frame). X errors about these windows (a parent destroyed while we
// draw takes our child with it) are absorbed instead of ending the process;
// how, and for how long, is the backend's one X error policy, written once
// at XErrorScope in foreign_window.cpp (x_screen_saver.cpp keeps out of it
// by speaking XCB). Failures print "CALL: REASON" (failure_reason.h).
// Supported: child windows of given windows, the root window as parent (the
// child is then override-redirect, so no window manager frames it).
// Missing: child windows of the program's own windows; input is read only
// through SDL's events for the child (the parent's input is never selected,
// and nothing is grabbed).
#pragma once

#include <cstdint>

#include "platform/linux/window_class.h"
#include "platform/linux/window_object.h"

namespace backend {

// CreateWindowExA's path for WS_CHILD windows: null unless `parent` is a
// given window that still exists.
HWND CreateChildWindow(HWND parent, const WindowClass& windowClass, const char* title, DWORD style,
                       DWORD exStyle, int x, int y, int width, int height);

// Destroys the X window behind a child made by CreateChildWindow (after SDL
// has let go of it); nothing for other windows.
void DestroyChildWindow(WindowObject* window);

}  // namespace backend
