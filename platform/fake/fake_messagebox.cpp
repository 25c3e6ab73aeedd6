// Fake message boxes for unit tests: each box is recorded (owner, text,
// caption, flags) and answered at once with the next queued answer, IDOK when
// none is queued; a failing box returns 0 as the real one does.
#include "platform/fake/fake_platform.h"
#include "platform/win32.h"

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    fake::Record("MessageBoxA", {fake::Hex(reinterpret_cast<uintptr_t>(owner)), fake::Text(text), fake::Text(caption),
                                 fake::Hex(type)});
    if (fake::ShouldFail("MessageBoxA")) return 0;
    return static_cast<int>(fake::Answer("MessageBoxA", IDOK));
}
