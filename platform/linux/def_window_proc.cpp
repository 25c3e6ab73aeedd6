// Linux backend: the default handling of window messages.
//
// Platform: Linux. Dependencies: none beyond the other backend files. As on
// Windows: Alt+F4 asks for SC_CLOSE, SC_CLOSE becomes WM_CLOSE, WM_CLOSE
// destroys the window, and painting is taken as done. A screen-saver request
// that gets here was not swallowed, so the saver is not held off for it
// (screen_saver.cpp). Limitations: the monitor power-off request is never
// raised by this backend; everything else is ignored with result 0.
#include "platform/linux/screen_saver.h"
#include "platform/linux/window_object.h"

namespace {

constexpr LPARAM kAltDownFlag = 1 << 29;

}  // namespace

LRESULT WINAPI DefWindowProcA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    using namespace backend;
    WindowObject* window = FindWindowObject(handle);
    if (window == nullptr) return 0;
    switch (message) {
        case WM_SYSKEYDOWN:
            if (wParam == VK_F4 && (lParam & kAltDownFlag) != 0) PostToQueue(handle, WM_SYSCOMMAND, SC_CLOSE, 0);
            return 0;
        case WM_SYSCOMMAND:
            // The low four bits of a system command are Windows' own.
            if ((wParam & 0xFFF0) == SC_CLOSE) SendToWindow(window, WM_CLOSE, 0, 0);
            if ((wParam & 0xFFF0) == SC_SCREENSAVE) ScreenSaverRequestReachedDefault();
            return 0;
        case WM_CLOSE:
            DestroyWindow(handle);
            return 0;
        case WM_PAINT:
            window->needsPaint = false;
            return 0;
        default:
            return 0;
    }
}
