// The default handling of window messages, DefWindowProcA, for the messages
// the subset knows, as Windows gives it:
//   WM_SYSKEYDOWN F4 with the Alt bit (29) of lParam set posts WM_SYSCOMMAND
//     SC_CLOSE. Without the bit (a system key sent to the active window
//     because no window had the focus) F4 does nothing.
//   WM_SYSCOMMAND SC_CLOSE (the low four bits are Windows' own) sends
//     WM_CLOSE, whose default handling destroys the window (DestroyWindow).
//   WM_SYSCOMMAND SC_SCREENSAVE and SC_MONITORPOWER are carried out by the
//     backend (WindowHost::SystemCommand).
//   WM_PAINT counts the window as painted.
// Every other message, and every message for a window that is not live, is
// ignored. The answer is always 0.
//
// Platform: any (the Linux backend's DefWindowProcA and the fake's).
// Limitations: no menus (SC_KEYMENU, F10), no moving or sizing commands.
#pragma once

#include "platform/common/window_host.h"

namespace common {

LRESULT DefaultWindowProcedure(WindowHost& host, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace common
