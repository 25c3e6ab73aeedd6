// Fake GDI fonts and font bitmaps, for unit tests.
//
// Platform: none. Fonts are opaque handles from 0x5000 up; each device
// context remembers the object selected into it (null at first) so that
// SelectObject returns the previous one as GDI does. wglUseFontBitmapsA
// records its call and makes no display lists. Every call can be made to
// fail with fake::FailCall.
#include <map>

#include "platform/fake/fake_platform.h"
#include "platform/win32.h"

namespace {

struct FontState {
    uintptr_t nextFont = 0x5000;
    std::map<HDC, HGDIOBJ> selected;
};

FontState& State() {
    static FontState state;
    static const bool hooked = (fake::AddResetHook([] { state = FontState(); }), true);
    (void)hooked;
    return state;
}

std::string Handle(const void* handle) { return fake::Hex(reinterpret_cast<uintptr_t>(handle)); }

}  // namespace

HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                         DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                         DWORD quality, DWORD pitchAndFamily, LPCSTR faceName) {
    fake::Record("CreateFontA",
                 {std::to_string(height), std::to_string(width), std::to_string(escapement),
                  std::to_string(orientation), std::to_string(weight), std::to_string(italic),
                  std::to_string(underline), std::to_string(strikeOut), std::to_string(charSet),
                  std::to_string(outPrecision), std::to_string(clipPrecision), std::to_string(quality),
                  std::to_string(pitchAndFamily), fake::Text(faceName)});
    FontState& state = State();
    if (fake::ShouldFail("CreateFontA")) return nullptr;
    return reinterpret_cast<HFONT>(state.nextFont++);
}

HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) {
    fake::Record("SelectObject", {Handle(dc), Handle(object)});
    FontState& state = State();
    if (fake::ShouldFail("SelectObject")) return nullptr;
    HGDIOBJ& slot = state.selected[dc];
    HGDIOBJ previous = slot;
    slot = object;
    return previous;
}

BOOL WINAPI DeleteObject(HGDIOBJ object) {
    fake::Record("DeleteObject", {Handle(object)});
    return fake::ShouldFail("DeleteObject") ? FALSE : TRUE;
}

BOOL WINAPI wglUseFontBitmapsA(HDC dc, DWORD first, DWORD count, DWORD listBase) {
    fake::Record("wglUseFontBitmapsA", {Handle(dc), std::to_string(first), std::to_string(count),
                                        std::to_string(listBase)});
    return fake::ShouldFail("wglUseFontBitmapsA") ? FALSE : TRUE;
}
