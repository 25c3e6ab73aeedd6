// Fake SetForegroundWindow and SetFocus for unit tests: the shared
// activation (platform/common/activation.h) over the fake's windows.
//
// Platform: none. Limitations: there are no other programs, so the
// foreground is always granted.
#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_window_object.h"

BOOL WINAPI SetForegroundWindow(HWND window) {
    if (fake::ShouldFail("SetForegroundWindow") || !fake::FindWindowRecord(window)) return FALSE;
    fake::TheActivation().Activate(window);
    return TRUE;
}

HWND WINAPI SetFocus(HWND window) {
    if (fake::ShouldFail("SetFocus")) return nullptr;
    return fake::TheActivation().SetFocus(window);
}
