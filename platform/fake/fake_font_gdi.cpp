// Fake GDI fonts for unit tests: CreateFontA, SelectObject and DeleteObject.
//
// Platform: none. Fonts are opaque handles from 0x5001 up, each the lowest
// one free: as GDI reuses the slots of deleted objects, a stale handle names
// a newer font. Each device context remembers the object selected into it
// (null at first) so that SelectObject returns the previous one as GDI
// does. A font still selected into a device context, or one that is no live
// font, is not deleted. LiveFonts tells a test whether every font was let
// go. Every call can be made to fail with FailCall.
#include <map>
#include <set>

#include "platform/fake/fake_font.h"
#include "platform/fake/fake_platform.h"

namespace fake {
namespace {

struct FontState {
    std::set<HGDIOBJ> live;
    std::map<HDC, HGDIOBJ> selected;
};

FontState& Fonts() {
    static FontState state;
    return state;
}

const bool registered = (AddResetHook([] { Fonts() = FontState(); }), true);

bool IsSelected(HGDIOBJ object) {
    for (const auto& entry : Fonts().selected)
        if (entry.second == object) return true;
    return false;
}

}  // namespace

int LiveFonts() { return static_cast<int>(Fonts().live.size()); }

}  // namespace fake

HFONT WINAPI CreateFontA(int, int, int, int, int, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, LPCSTR) {
    if (fake::ShouldFail("CreateFontA")) return nullptr;
    uintptr_t slot = 0x5001;
    while (fake::Fonts().live.count(reinterpret_cast<HGDIOBJ>(slot))) ++slot;
    HFONT font = reinterpret_cast<HFONT>(slot);
    fake::Fonts().live.insert(font);
    return font;
}

HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) {
    if (fake::ShouldFail("SelectObject")) return nullptr;
    HGDIOBJ& slot = fake::Fonts().selected[dc];
    HGDIOBJ previous = slot;
    slot = object;
    return previous;
}

BOOL WINAPI DeleteObject(HGDIOBJ object) {
    if (fake::ShouldFail("DeleteObject") || fake::IsSelected(object)) return FALSE;
    return fake::Fonts().live.erase(object) == 1 ? TRUE : FALSE;
}
