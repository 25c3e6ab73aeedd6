// The frame Windows draws around a window's client area, and the arithmetic
// of AdjustWindowRectEx and CreateWindowExA that adds it and takes it off.
//
// Platform: any (linked into the Linux platform layer and the fake). The
// numbers are Windows 10's system metrics at 96 dpi, so a window planned for
// a client size has the outer size it would have there: a sizing frame of
// 8 pixels (SM_CXSIZEFRAME with SM_CXPADDEDBORDER), a fixed frame of 3
// (SM_CXFIXEDFRAME), a thin border of 1, a caption of 23 (SM_CYCAPTION) and a
// menu bar of 20 (SM_CYMENU). What matters most is that both directions use
// the same table, so the client area is exactly the size the caller asked
// for. Limitations: extended styles add nothing (the subset has no
// client-edge or tool-window style).
#pragma once

#include "platform/win32.h"

namespace common {

struct FrameInsets {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
};

FrameInsets FrameFor(DWORD style, DWORD exStyle, bool hasMenu);

// AdjustWindowRectEx: grows the client rectangle by the frame.
void GrowByFrame(RECT& rect, DWORD style, DWORD exStyle, bool hasMenu);

// The client size of a window of this outer size (never below `least`).
int ClientWidth(int outerWidth, const FrameInsets& frame, int least = 0);
int ClientHeight(int outerHeight, const FrameInsets& frame, int least = 0);

}  // namespace common
