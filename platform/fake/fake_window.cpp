// Fake windows for unit tests: creation, showing and destruction with the
// messages Windows sends for them, the frame arithmetic of
// AdjustWindowRectEx, and device contexts. See fake_window.h.
#include "platform/fake/fake_window.h"

#include <iterator>

#include "platform/common/window_frame.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_queue.h"
#include "platform/fake/fake_window_object.h"

namespace fake {
namespace {

constexpr UINT kCreateMessage = 0x0001;  // WM_CREATE

const bool registered = (AddResetHook([] { TheWindowArea() = WindowArea(); }), true);

void SendClientSize(HWND window, const WindowState& state) {
    SendToWindow(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(state.clientWidth, state.clientHeight));
}

}  // namespace

WindowArea& TheWindowArea() {
    static WindowArea area;
    return area;
}

WindowRecord* FindWindowRecord(HWND window) {
    auto it = TheWindowArea().windows.find(window);
    return it == TheWindowArea().windows.end() ? nullptr : &it->second;
}

const WindowState* FindWindowState(HWND window) {
    const WindowRecord* record = FindWindowRecord(window);
    return record ? &record->state : nullptr;
}

int LiveWindowCount() { return static_cast<int>(TheWindowArea().windows.size()); }
HWND LastCreatedWindow() { return TheWindowArea().lastCreated; }
HWND FocusWindow() { return TheActivation().Focus(); }
int LiveDeviceContextCount() { return static_cast<int>(TheWindowArea().deviceContexts.size()); }

WNDPROC WindowProcedureOf(HWND window) {
    const WindowRecord* record = FindWindowRecord(window);
    if (!record) return nullptr;
    auto it = TheWindowArea().classes.find(record->state.className);
    return it == TheWindowArea().classes.end() ? nullptr : it->second.procedure;
}

HWND WindowToPaint(HWND filter) {
    for (const auto& window : TheWindowArea().windows) {
        const WindowState& state = window.second.state;
        if (state.visible && state.needsPaint && (filter == nullptr || filter == window.first)) return window.first;
    }
    return nullptr;
}

void MarkPainted(HWND window) {
    if (WindowRecord* record = FindWindowRecord(window)) record->state.needsPaint = false;
}

}  // namespace fake

BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
    if (fake::ShouldFail("AdjustWindowRectEx") || !rect) return FALSE;
    common::GrowByFrame(*rect, style, exStyle, menu != FALSE);
    return TRUE;
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int, int, int width,
                            int height, HWND, HMENU menu, HINSTANCE, LPVOID) {
    using namespace fake;
    WindowArea& area = TheWindowArea();
    if (ShouldFail("CreateWindowExA") || !className || !area.classes.count(className)) return nullptr;
    WindowRecord record;
    record.state.className = className;
    record.state.text = windowName ? windowName : "";
    record.state.style = style;
    record.state.exStyle = exStyle;
    record.state.outerWidth = width;
    record.state.outerHeight = height;
    const common::FrameInsets frame = common::FrameFor(style, exStyle, menu != nullptr);
    record.state.clientWidth = common::ClientWidth(width, frame);
    record.state.clientHeight = common::ClientHeight(height, frame);
    HWND window = MakeHandle<HWND>(area.nextWindow);
    area.windows[window] = record;
    area.lastCreated = window;
    // Windows sends these before CreateWindowExA returns.
    SendToWindow(window, kCreateMessage, 0, 0);
    if (const WindowRecord* made = FindWindowRecord(window)) SendClientSize(window, made->state);
    return window;
}

BOOL WINAPI DestroyWindow(HWND window) {
    using namespace fake;
    if (ShouldFail("DestroyWindow") || !FindWindowRecord(window)) return FALSE;
    TheActivation().Deactivate(window);
    SendToWindow(window, WM_DESTROY, 0, 0);
    TheActivation().Forget(window);
    DropQueuedMessages(window);
    WindowArea& area = TheWindowArea();
    area.windows.erase(window);
    for (auto it = area.deviceContexts.begin(); it != area.deviceContexts.end();)
        it = it->second == window ? area.deviceContexts.erase(it) : std::next(it);
    return TRUE;
}

BOOL WINAPI ShowWindow(HWND window, int command) {
    using namespace fake;
    WindowRecord* record = FindWindowRecord(window);
    if (ShouldFail("ShowWindow") || !record) return FALSE;
    const bool wasVisible = record->state.visible;
    record->state.visible = command != SW_HIDE;
    if (command == SW_HIDE) {
        TheActivation().Deactivate(window);
        return wasVisible ? TRUE : FALSE;
    }
    if (!wasVisible) record->state.needsPaint = true;
    TheActivation().Activate(window);
    // A window shown for the first time hears its size again, after its
    // activation, as on Windows.
    record = FindWindowRecord(window);
    if (record && !record->shown) {
        record->shown = true;
        SendClientSize(window, record->state);
    }
    return wasVisible ? TRUE : FALSE;
}

HDC WINAPI GetDC(HWND window) {
    using namespace fake;
    if (ShouldFail("GetDC") || !FindWindowRecord(window)) return nullptr;
    HDC dc = MakeHandle<HDC>(TheWindowArea().nextDeviceContext);
    TheWindowArea().deviceContexts[dc] = window;
    return dc;
}

int WINAPI ReleaseDC(HWND window, HDC dc) {
    auto& deviceContexts = fake::TheWindowArea().deviceContexts;
    auto it = deviceContexts.find(dc);
    if (fake::ShouldFail("ReleaseDC") || it == deviceContexts.end() || it->second != window) return 0;
    deviceContexts.erase(it);
    return 1;
}
