// Fake DefWindowProcA for unit tests: the shared default handling
// (platform/common/def_window_proc.h) over the fake's windows.
#include "platform/common/def_window_proc.h"
#include "platform/fake/fake_window_object.h"

LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return common::DefaultWindowProcedure(fake::TheWindowHost(), window, message, wParam, lParam);
}
