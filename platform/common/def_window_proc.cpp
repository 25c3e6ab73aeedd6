// The default handling of window messages. See def_window_proc.h.
#include "platform/common/def_window_proc.h"

namespace common {
namespace {

constexpr LPARAM kAltDownFlag = LPARAM{1} << 29;
constexpr WPARAM kCommandMask = 0xFFF0;  // the low four bits of a system command are Windows' own

}  // namespace

LRESULT DefaultWindowProcedure(WindowHost& host, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        host.Painted(window);
        return 0;
    }
    if (!host.IsLive(window)) return 0;
    switch (message) {
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4 && (lParam & kAltDownFlag) != 0) host.Post(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case WM_SYSCOMMAND:
        if ((wParam & kCommandMask) == SC_CLOSE) host.Send(window, WM_CLOSE, 0, 0);
        if ((wParam & kCommandMask) == SC_SCREENSAVE || (wParam & kCommandMask) == SC_MONITORPOWER) {
            host.SystemCommand(window, wParam & kCommandMask, lParam);
        }
        break;
    case WM_CLOSE:
        DestroyWindow(window);
        break;
    default:
        break;
    }
    return 0;
}

}  // namespace common
