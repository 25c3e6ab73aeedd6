// Linux backend: window classes, and the system icons and cursors a class
// may name.
//
// Platform: Linux. Dependencies: none. Registering a name twice for one
// instance fails, as does unregistering an unknown class or one that still
// has windows. Limitations: classes are named by text only (no atoms as
// names); only the predefined system icons and cursors can be loaded, since
// the program embeds none of its own; the class cursor and icon are kept but
// the window shows the desktop's arrow and no icon.
#include "platform/linux/window_class.h"
#include "platform/linux/failure_reason.h"

#include <cctype>
#include <cstddef>
#include <vector>

#include "platform/linux/window_object.h"

struct HICON__ {
    WORD id;
};

struct HCURSOR__ {
    WORD id;
};

namespace backend {
namespace {

std::vector<WindowClass>& Classes() {
    static std::vector<WindowClass> classes;
    return classes;
}

HINSTANCE Normalised(HINSTANCE instance) { return instance != nullptr ? instance : GetModuleHandleA(nullptr); }

std::vector<WindowClass>::iterator Find(const char* name, HINSTANCE instance) {
    auto& classes = Classes();
    if (name == nullptr || IS_INTRESOURCE(name)) return classes.end();
    const HINSTANCE owner = Normalised(instance);
    for (auto it = classes.begin(); it != classes.end(); ++it) {
        if (it->instance == owner && SameNameIgnoringCase(it->name, name)) return it;
    }
    return classes.end();
}

}  // namespace

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

const WindowClass* FindWindowClass(const char* name, HINSTANCE instance) {
    auto it = Find(name, instance);
    return it == Classes().end() ? nullptr : &*it;
}

}  // namespace backend

WORD WINAPI RegisterClassA(const WNDCLASSA* windowClass) {
    using namespace backend;
    if (windowClass == nullptr || windowClass->lpfnWndProc == nullptr || windowClass->lpszClassName == nullptr ||
        IS_INTRESOURCE(windowClass->lpszClassName) || windowClass->lpszClassName[0] == '\0') {
        ReportFailure("RegisterClassA", "the class needs a procedure and a name");
        return 0;
    }
    if (FindWindowClass(windowClass->lpszClassName, windowClass->hInstance) != nullptr) {
        ReportFailure("RegisterClassA", "the class is already registered");
        return 0;
    }
    // String atoms live in 0xC000..0xFFFF on Windows; hand them out from there.
    static WORD nextAtom = 0xC000;
    if (nextAtom == 0) {
        ReportFailure("RegisterClassA", "no class atoms left");
        return 0;
    }
    WindowClass entry;
    entry.name = windowClass->lpszClassName;
    entry.instance = windowClass->hInstance != nullptr ? windowClass->hInstance : GetModuleHandleA(nullptr);
    entry.style = windowClass->style;
    entry.procedure = windowClass->lpfnWndProc;
    entry.icon = windowClass->hIcon;
    entry.cursor = windowClass->hCursor;
    entry.atom = nextAtom++;
    Classes().push_back(entry);
    return entry.atom;
}

BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE instance) {
    using namespace backend;
    auto it = Find(className, instance);
    if (it == Classes().end()) {
        ReportFailure("UnregisterClassA", "the class is not registered");
        return FALSE;
    }
    if (CountWindowsOfClass(it->name) > 0) {
        ReportFailure("UnregisterClassA", "windows of the class still exist");
        return FALSE;
    }
    Classes().erase(it);
    return TRUE;
}

namespace {

// The entry of a table of system icons or cursors that `name` names by
// number; none for a program's own (instance given, or a name as text).
template <typename Handle, size_t count>
Handle* SystemHandle(Handle (&table)[count], HINSTANCE instance, LPCSTR name) {
    if (instance != nullptr || !IS_INTRESOURCE(name)) return nullptr;
    const auto id = static_cast<WORD>(reinterpret_cast<UINT_PTR>(name));
    for (Handle& entry : table) {
        if (entry.id == id) return &entry;
    }
    return nullptr;
}

}  // namespace

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR iconName) {
    // IDI_APPLICATION (32512) to IDI_SHIELD (32518).
    static HICON__ systemIcons[7] = {{32512}, {32513}, {32514}, {32515}, {32516}, {32517}, {32518}};
    if (HICON icon = SystemHandle(systemIcons, instance, iconName)) return icon;
    backend::ReportFailure("LoadIconA", "only the system icons can be loaded");
    return nullptr;
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR cursorName) {
    // IDC_ARROW, IBEAM, WAIT, CROSS, UPARROW, then the sizing, no and hand
    // cursors.
    static HCURSOR__ systemCursors[14] = {{32512}, {32513}, {32514}, {32515}, {32516}, {32640}, {32641},
                                          {32642}, {32643}, {32644}, {32645}, {32646}, {32648}, {32649}};
    if (HCURSOR cursor = SystemHandle(systemCursors, instance, cursorName)) return cursor;
    backend::ReportFailure("LoadCursorA", "only the system cursors can be loaded");
    return nullptr;
}
