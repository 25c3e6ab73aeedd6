// Frame sizes for AdjustWindowRectEx and CreateWindowExA. See window_frame.h.
#include "platform/common/window_frame.h"

#include <algorithm>

namespace common {
namespace {

constexpr LONG kSizingFrame = 8;  // SM_CXSIZEFRAME + SM_CXPADDEDBORDER
constexpr LONG kFixedFrame = 3;   // SM_CXFIXEDFRAME
constexpr LONG kThinBorder = 1;   // SM_CXBORDER
constexpr LONG kCaptionHeight = 23;
constexpr LONG kMenuHeight = 20;

}  // namespace

FrameInsets FrameFor(DWORD style, DWORD /*exStyle*/, bool hasMenu) {
    const DWORD dialogFrame = WS_CAPTION & ~static_cast<DWORD>(WS_BORDER);  // WS_DLGFRAME
    LONG border = 0;
    if (style & WS_THICKFRAME) {
        border = kSizingFrame;
    } else if (style & dialogFrame) {
        border = kFixedFrame;
    } else if (style & WS_BORDER) {
        border = kThinBorder;
    }
    FrameInsets insets;
    insets.left = insets.right = insets.bottom = insets.top = border;
    if ((style & WS_CAPTION) == WS_CAPTION) insets.top += kCaptionHeight;
    if (hasMenu) insets.top += kMenuHeight;
    return insets;
}

void GrowByFrame(RECT& rect, DWORD style, DWORD exStyle, bool hasMenu) {
    const FrameInsets insets = FrameFor(style, exStyle, hasMenu);
    rect.left -= insets.left;
    rect.top -= insets.top;
    rect.right += insets.right;
    rect.bottom += insets.bottom;
}

int ClientWidth(int outerWidth, const FrameInsets& frame, int least) {
    return std::max(least, outerWidth - static_cast<int>(frame.left + frame.right));
}

int ClientHeight(int outerHeight, const FrameInsets& frame, int least) {
    return std::max(least, outerHeight - static_cast<int>(frame.top + frame.bottom));
}

}  // namespace common
