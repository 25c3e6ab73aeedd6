// Fake window classes for unit tests: RegisterClassA, UnregisterClassA and
// the system icons and cursors.
//
// Platform: none. As on Windows, a name is registered once per program, and
// a class is unregistered only by its own instance and only when none of its
// windows is left. Icons and cursors are fixed handles.
#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_window_object.h"

namespace fake {

bool IsClassRegistered(const std::string& className) { return TheWindowArea().classes.count(className) > 0; }

}  // namespace fake

HICON WINAPI LoadIconA(HINSTANCE, LPCSTR) {
    if (fake::ShouldFail("LoadIconA")) return nullptr;
    return reinterpret_cast<HICON>(uintptr_t{0x6001});
}

HCURSOR WINAPI LoadCursorA(HINSTANCE, LPCSTR) {
    if (fake::ShouldFail("LoadCursorA")) return nullptr;
    return reinterpret_cast<HCURSOR>(uintptr_t{0x6002});
}

WORD WINAPI RegisterClassA(const WNDCLASSA* windowClass) {
    using namespace fake;
    if (ShouldFail("RegisterClassA") || !windowClass || !windowClass->lpszClassName || !windowClass->lpfnWndProc)
        return 0;
    auto& classes = TheWindowArea().classes;
    if (classes.count(windowClass->lpszClassName)) return 0;  // already registered
    classes[windowClass->lpszClassName] = ClassRecord{windowClass->lpfnWndProc, windowClass->hInstance};
    return static_cast<WORD>(++TheWindowArea().nextAtom);
}

BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE instance) {
    using namespace fake;
    if (ShouldFail("UnregisterClassA") || !className) return FALSE;
    auto& classes = TheWindowArea().classes;
    auto it = classes.find(className);
    if (it == classes.end() || it->second.instance != instance) return FALSE;
    for (const auto& window : TheWindowArea().windows)
        if (window.second.state.className == className) return FALSE;  // windows of the class still exist
    classes.erase(it);
    return TRUE;
}
