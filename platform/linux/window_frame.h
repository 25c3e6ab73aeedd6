// Linux backend: the window frame that AdjustWindowRectEx adds around a
// client area and that CreateWindowExA takes off again.
//
// Platform: Linux. Dependencies: none. The frame is this backend's own
// measure of a Windows frame (the desktop's window manager draws the real
// one outside the client area); what matters is that both directions use the
// same numbers, so the client area is exactly the size the caller asked for.
// Limitations: the numbers are not those of the desktop's real frame.
#pragma once

#include "platform/win32.h"

namespace backend {

struct FrameInsets {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
};

FrameInsets FrameFor(DWORD style, DWORD exStyle, bool hasMenu);

}  // namespace backend
