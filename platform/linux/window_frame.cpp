// Linux backend: frame sizes for AdjustWindowRectEx.
//
// Platform: Linux. Dependencies: none. A sizing border of 4 pixels, a fixed
// border of 3 (1 for a thin one), a caption and a menu bar of 20 pixels each.
// Limitations: extended styles add nothing (the subset has no client-edge
// style).
#include "platform/linux/window_frame.h"

namespace backend {
namespace {

constexpr LONG kSizingBorder = 4;
constexpr LONG kFixedBorder = 3;
constexpr LONG kThinBorder = 1;
constexpr LONG kBarHeight = 20;

}  // namespace

FrameInsets FrameFor(DWORD style, DWORD /*exStyle*/, bool hasMenu) {
    const DWORD dialogFrame = WS_CAPTION & ~static_cast<DWORD>(WS_BORDER);
    LONG border = 0;
    if (style & WS_THICKFRAME) {
        border = kSizingBorder;
    } else if (style & dialogFrame) {
        border = kFixedBorder;
    } else if (style & WS_BORDER) {
        border = kThinBorder;
    }
    FrameInsets insets;
    insets.left = insets.right = insets.bottom = insets.top = border;
    if ((style & WS_CAPTION) == WS_CAPTION) insets.top += kBarHeight;
    if (hasMenu) insets.top += kBarHeight;
    return insets;
}

}  // namespace backend

BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
    if (rect == nullptr) return FALSE;
    const backend::FrameInsets insets = backend::FrameFor(style, exStyle, menu != FALSE);
    rect->left -= insets.left;
    rect->top -= insets.top;
    rect->right += insets.right;
    rect->bottom += insets.bottom;
    return TRUE;
}
