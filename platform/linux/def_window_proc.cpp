// Linux backend: the default handling of window messages, the shared one
// (platform/common/def_window_proc.h) over this backend's windows
// (window_host.cpp).
//
// Platform: Linux. Dependencies: none beyond the other backend files.
#include "platform/common/def_window_proc.h"
#include "platform/linux/window_object.h"

LRESULT WINAPI DefWindowProcA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    return common::DefaultWindowProcedure(backend::TheWindowHost(), handle, message, wParam, lParam);
}
