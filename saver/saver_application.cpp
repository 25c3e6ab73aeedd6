// The saver's message handling; see saver_application.h.
#include "saver/saver_application.h"

#include <cstdlib>

#include "saver/saver.h"

namespace {

constexpr WPARAM kKeyQ = 'Q';

}  // namespace

int32_t SaverApplication::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        width = LOWORD(lParam);
        height = HIWORD(lParam);
        Resize(width, height);
        break;
    case WM_DESTROY:
        // Also when the given window goes and takes its children with it.
        PostQuitMessage(0);
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (target == SaverTarget::CoverScreen ||
            (target == SaverTarget::OwnWindow && (wParam == VK_ESCAPE || wParam == kKeyQ)))
            PostQuitMessage(0);
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (target == SaverTarget::CoverScreen) PostQuitMessage(0);
        break;
    case WM_MOUSEMOVE:
        if (target == SaverTarget::CoverScreen) EndOnPointerMove(lParam);
        break;
    default:
        // Activation, focus and system commands (screen saver, monitor power)
        // change nothing here and go on to the default handling.
        break;
    }
    return GLWindow::HandleMessage(hwnd, message, wParam, lParam);
}

void SaverApplication::EndOnPointerMove(LPARAM position) {
    // Client coordinates, signed: the window may start left of the primary display.
    const int x = static_cast<int16_t>(LOWORD(position));
    const int y = static_cast<int16_t>(HIWORD(position));
    if (!pointerSeen) {
        pointerSeen = true;
        pointerX = x;
        pointerY = y;
        return;
    }
    if (std::abs(x - pointerX) > kPointerSlackPixels || std::abs(y - pointerY) > kPointerSlackPixels)
        PostQuitMessage(0);
}

bool SaverApplication::FollowParent(HWND parent) {
    RECT client = {0, 0, 0, 0};
    if (!IsWindow(parent) || !GetClientRect(parent, &client)) return false;
    const int32_t clientWidth = client.right - client.left;
    const int32_t clientHeight = client.bottom - client.top;
    // MoveWindow reports the new size with WM_SIZE, which resizes the view.
    if (window && (clientWidth != width || clientHeight != height))
        MoveWindow(window, 0, 0, clientWidth, clientHeight, TRUE);
    return true;
}
