// Fake window classes, windows, device contexts, pixel formats, GL contexts,
// display modes and the cursor, for unit tests. See fake_window.h.
#include "platform/fake/fake_window.h"

#include <algorithm>
#include <iterator>
#include <map>

#include "platform/common/window_frame.h"
#include "platform/fake/fake_monitors.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_queue.h"
#include "platform/window_id.h"

namespace fake {
namespace {

constexpr UINT kCreateMessage = 0x0001;  // WM_CREATE

struct ClassRecord {
    WNDPROC procedure = nullptr;
    HINSTANCE instance = nullptr;
};

struct WindowRecord {
    WindowState state;
    int pixelFormat = 0;
    bool shown = false;  // ShowWindow has shown it once
};

struct DeviceContextRecord {
    HWND window = nullptr;
};

struct State {
    std::map<std::string, ClassRecord> classes;
    std::map<HWND, WindowRecord> windows;
    std::map<HDC, DeviceContextRecord> deviceContexts;
    std::map<HGLRC, HDC> renderContexts;
    uintptr_t nextAtom = 0xC000;
    uintptr_t nextWindow = 0x1000;
    uintptr_t nextDeviceContext = 0x2000;
    uintptr_t nextRenderContext = 0x3000;
    HWND lastCreated = nullptr;
    HWND focus = nullptr;
    HGLRC current = nullptr;
    PIXELFORMATDESCRIPTOR lastRequest{};
    DisplayMode mode;
    int cursorCounter = 0;
    std::function<void()> swapHook;
};

State& TheState() {
    static State state;
    return state;
}

const bool registered = (AddResetHook([] { TheState() = State(); }), true);

template <typename Handle>
Handle MakeHandle(uintptr_t& next) {
    return reinterpret_cast<Handle>(++next);
}

std::string Number(long long value) { return std::to_string(value); }

std::string Handle(const void* handle) { return Hex(reinterpret_cast<uintptr_t>(handle)); }

std::string ResourceName(LPCSTR name) {
    if (IS_INTRESOURCE(name)) return "#" + Number(static_cast<long long>(reinterpret_cast<uintptr_t>(name)));
    return Text(name);
}

WindowRecord* FindWindowRecord(HWND window) {
    auto it = TheState().windows.find(window);
    return it == TheState().windows.end() ? nullptr : &it->second;
}

// Moves activation and focus to `window` (or away from every window for
// null) with the messages Windows sends for it.
void Activate(HWND window) {
    HWND previous = TheState().focus;
    if (previous == window) return;
    TheState().focus = window;
    if (previous) SendToWindow(previous, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(window));
    if (window) SendToWindow(window, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), reinterpret_cast<LPARAM>(previous));
    if (previous) SendToWindow(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    if (window) SendToWindow(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
}

}  // namespace

const WindowState* FindWindowState(HWND window) {
    const WindowRecord* record = FindWindowRecord(window);
    return record ? &record->state : nullptr;
}

int LiveWindowCount() { return static_cast<int>(TheState().windows.size()); }
HWND LastCreatedWindow() { return TheState().lastCreated; }
HWND FocusWindow() { return TheState().focus; }
bool IsClassRegistered(const std::string& className) { return TheState().classes.count(className) > 0; }

WNDPROC WindowProcedureOf(HWND window) {
    const WindowRecord* record = FindWindowRecord(window);
    if (!record) return nullptr;
    auto it = TheState().classes.find(record->state.className);
    return it == TheState().classes.end() ? nullptr : it->second.procedure;
}

int LiveDeviceContextCount() { return static_cast<int>(TheState().deviceContexts.size()); }
int LiveRenderContextCount() { return static_cast<int>(TheState().renderContexts.size()); }
HGLRC CurrentRenderContext() { return TheState().current; }
PIXELFORMATDESCRIPTOR LastPixelFormatRequest() { return TheState().lastRequest; }
DisplayMode CurrentDisplayMode() { return TheState().mode; }
int CursorCounter() { return TheState().cursorCounter; }
void OnSwapBuffers(std::function<void()> hook) { TheState().swapHook = std::move(hook); }

RECT FrameFor(DWORD style, BOOL menu, DWORD exStyle) {
    const common::FrameInsets insets = common::FrameFor(style, exStyle, menu != FALSE);
    return RECT{-insets.left, -insets.top, insets.right, insets.bottom};
}

HWND WindowToPaint(HWND filter) {
    for (const auto& window : TheState().windows) {
        const WindowState& state = window.second.state;
        if (state.visible && state.needsPaint && (filter == nullptr || filter == window.first)) return window.first;
    }
    return nullptr;
}

void MarkPainted(HWND window) {
    if (WindowRecord* record = FindWindowRecord(window)) record->state.needsPaint = false;
}

}  // namespace fake

using fake::Handle;
using fake::Number;
using fake::TheState;

BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
    fake::Record("AdjustWindowRectEx",
                 {rect ? Number(rect->left) + "," + Number(rect->top) + "," + Number(rect->right) + "," +
                             Number(rect->bottom)
                       : "(null)",
                  fake::Hex(style), Number(menu), fake::Hex(exStyle)});
    if (fake::ShouldFail("AdjustWindowRectEx") || !rect) return FALSE;
    common::GrowByFrame(*rect, style, exStyle, menu != FALSE);
    return TRUE;
}

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR iconName) {
    fake::Record("LoadIconA", {Handle(instance), fake::ResourceName(iconName)});
    if (fake::ShouldFail("LoadIconA")) return nullptr;
    return reinterpret_cast<HICON>(uintptr_t{0x6001});
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR cursorName) {
    fake::Record("LoadCursorA", {Handle(instance), fake::ResourceName(cursorName)});
    if (fake::ShouldFail("LoadCursorA")) return nullptr;
    return reinterpret_cast<HCURSOR>(uintptr_t{0x6002});
}

WORD WINAPI RegisterClassA(const WNDCLASSA* windowClass) {
    if (!windowClass) {
        fake::Record("RegisterClassA", {"(null)"});
        return 0;
    }
    fake::Record("RegisterClassA",
                 {fake::Text(windowClass->lpszClassName), fake::Hex(windowClass->style),
                  windowClass->lpfnWndProc ? "procedure" : "(null)", Number(windowClass->cbClsExtra),
                  Number(windowClass->cbWndExtra), Handle(windowClass->hInstance), Handle(windowClass->hIcon),
                  Handle(windowClass->hCursor), Handle(windowClass->hbrBackground),
                  fake::Text(windowClass->lpszMenuName)});
    if (fake::ShouldFail("RegisterClassA") || !windowClass->lpszClassName || !windowClass->lpfnWndProc) return 0;
    auto& classes = TheState().classes;
    if (classes.count(windowClass->lpszClassName)) return 0;  // already registered
    classes[windowClass->lpszClassName] = fake::ClassRecord{windowClass->lpfnWndProc, windowClass->hInstance};
    return static_cast<WORD>(++TheState().nextAtom);
}

BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE instance) {
    fake::Record("UnregisterClassA", {fake::Text(className), Handle(instance)});
    if (fake::ShouldFail("UnregisterClassA") || !className) return FALSE;
    auto& classes = TheState().classes;
    auto it = classes.find(className);
    if (it == classes.end() || it->second.instance != instance) return FALSE;
    for (const auto& window : TheState().windows)
        if (window.second.state.className == className) return FALSE;  // windows of the class still exist
    classes.erase(it);
    return TRUE;
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                            int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    fake::Record("CreateWindowExA", {fake::Hex(exStyle), fake::Text(className), fake::Text(windowName),
                                     fake::Hex(style), Number(x), Number(y), Number(width), Number(height),
                                     Handle(parent), Handle(menu), Handle(instance), Handle(param)});
    if (fake::ShouldFail("CreateWindowExA") || !className || !TheState().classes.count(className)) return nullptr;
    fake::WindowRecord record;
    record.state.className = className;
    record.state.text = windowName ? windowName : "";
    record.state.style = style;
    record.state.exStyle = exStyle;
    record.state.outerWidth = width;
    record.state.outerHeight = height;
    const common::FrameInsets frame = common::FrameFor(style, exStyle, menu != nullptr);
    record.state.clientWidth = common::ClientWidth(width, frame);
    record.state.clientHeight = common::ClientHeight(height, frame);
    HWND window = fake::MakeHandle<HWND>(TheState().nextWindow);
    TheState().windows[window] = record;
    TheState().lastCreated = window;
    // Windows sends these before CreateWindowExA returns.
    fake::SendToWindow(window, fake::kCreateMessage, 0, 0);
    fake::SendToWindow(window, WM_SIZE, SIZE_RESTORED,
                       MAKELPARAM(record.state.clientWidth, record.state.clientHeight));
    return window;
}

BOOL WINAPI DestroyWindow(HWND window) {
    fake::Record("DestroyWindow", {Handle(window)});
    if (fake::ShouldFail("DestroyWindow") || !fake::FindWindowRecord(window)) return FALSE;
    if (TheState().focus == window) fake::Activate(nullptr);
    fake::SendToWindow(window, WM_DESTROY, 0, 0);
    fake::DropQueuedMessages(window);
    TheState().windows.erase(window);
    for (auto it = TheState().deviceContexts.begin(); it != TheState().deviceContexts.end();)
        it = it->second.window == window ? TheState().deviceContexts.erase(it) : std::next(it);
    return TRUE;
}

BOOL WINAPI ShowWindow(HWND window, int command) {
    fake::Record("ShowWindow", {Handle(window), Number(command)});
    fake::WindowRecord* record = fake::FindWindowRecord(window);
    if (fake::ShouldFail("ShowWindow") || !record) return FALSE;
    const bool wasVisible = record->state.visible;
    record->state.visible = command != SW_HIDE;
    if (command == SW_HIDE) {
        if (TheState().focus == window) fake::Activate(nullptr);
        return wasVisible ? TRUE : FALSE;
    }
    if (!wasVisible) record->state.needsPaint = true;
    fake::Activate(window);
    // A window shown for the first time hears its size again, after its
    // activation, as on Windows.
    record = fake::FindWindowRecord(window);
    if (record && !record->shown) {
        record->shown = true;
        fake::SendToWindow(window, WM_SIZE, SIZE_RESTORED,
                           MAKELPARAM(record->state.clientWidth, record->state.clientHeight));
    }
    return wasVisible ? TRUE : FALSE;
}

BOOL WINAPI SetForegroundWindow(HWND window) {
    fake::Record("SetForegroundWindow", {Handle(window)});
    if (fake::ShouldFail("SetForegroundWindow") || !fake::FindWindowRecord(window)) return FALSE;
    fake::Activate(window);
    return TRUE;
}

HWND WINAPI SetFocus(HWND window) {
    fake::Record("SetFocus", {Handle(window)});
    if (fake::ShouldFail("SetFocus") || (window && !fake::FindWindowRecord(window))) return nullptr;
    HWND previous = TheState().focus;
    fake::Activate(window);
    return previous;
}

HDC WINAPI GetDC(HWND window) {
    fake::Record("GetDC", {Handle(window)});
    if (fake::ShouldFail("GetDC") || !fake::FindWindowRecord(window)) return nullptr;
    HDC dc = fake::MakeHandle<HDC>(TheState().nextDeviceContext);
    TheState().deviceContexts[dc] = fake::DeviceContextRecord{window};
    return dc;
}

int WINAPI ReleaseDC(HWND window, HDC dc) {
    fake::Record("ReleaseDC", {Handle(window), Handle(dc)});
    auto it = TheState().deviceContexts.find(dc);
    if (fake::ShouldFail("ReleaseDC") || it == TheState().deviceContexts.end() || it->second.window != window)
        return 0;
    TheState().deviceContexts.erase(it);
    return 1;
}

int WINAPI ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* descriptor) {
    if (!descriptor) {
        fake::Record("ChoosePixelFormat", {Handle(dc), "(null)"});
        return 0;
    }
    fake::Record("ChoosePixelFormat",
                 {Handle(dc), Number(descriptor->nSize), Number(descriptor->nVersion), fake::Hex(descriptor->dwFlags),
                  Number(descriptor->iPixelType), Number(descriptor->cColorBits), Number(descriptor->cDepthBits)});
    TheState().lastRequest = *descriptor;
    if (fake::ShouldFail("ChoosePixelFormat") || !TheState().deviceContexts.count(dc)) return 0;
    return static_cast<int>(fake::Answer("ChoosePixelFormat", 1));
}

BOOL WINAPI SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR* descriptor) {
    fake::Record("SetPixelFormat", {Handle(dc), Number(format), descriptor ? "descriptor" : "(null)"});
    auto it = TheState().deviceContexts.find(dc);
    if (fake::ShouldFail("SetPixelFormat") || it == TheState().deviceContexts.end() || format <= 0) return FALSE;
    fake::WindowRecord* window = fake::FindWindowRecord(it->second.window);
    // A window's pixel format can be set once only.
    if (!window || window->pixelFormat != 0) return FALSE;
    window->pixelFormat = format;
    return TRUE;
}

HGLRC WINAPI wglCreateContext(HDC dc) {
    fake::Record("wglCreateContext", {Handle(dc)});
    auto it = TheState().deviceContexts.find(dc);
    if (fake::ShouldFail("wglCreateContext") || it == TheState().deviceContexts.end()) return nullptr;
    const fake::WindowRecord* window = fake::FindWindowRecord(it->second.window);
    if (!window || window->pixelFormat == 0) return nullptr;
    HGLRC context = fake::MakeHandle<HGLRC>(TheState().nextRenderContext);
    TheState().renderContexts[context] = dc;
    return context;
}

BOOL WINAPI wglMakeCurrent(HDC dc, HGLRC context) {
    fake::Record("wglMakeCurrent", {Handle(dc), Handle(context)});
    if (fake::ShouldFail("wglMakeCurrent")) return FALSE;
    if (!context) {
        TheState().current = nullptr;
        return TRUE;
    }
    if (!TheState().renderContexts.count(context) || !TheState().deviceContexts.count(dc)) return FALSE;
    TheState().current = context;
    return TRUE;
}

BOOL WINAPI wglDeleteContext(HGLRC context) {
    fake::Record("wglDeleteContext", {Handle(context)});
    if (fake::ShouldFail("wglDeleteContext") || !TheState().renderContexts.erase(context)) return FALSE;
    if (TheState().current == context) TheState().current = nullptr;
    return TRUE;
}

BOOL WINAPI SwapBuffers(HDC dc) {
    fake::Record("SwapBuffers", {Handle(dc)});
    if (fake::ShouldFail("SwapBuffers") || !TheState().deviceContexts.count(dc)) return FALSE;
    if (TheState().swapHook) {
        auto hook = TheState().swapHook;  // the hook may replace itself
        hook();
    }
    return TRUE;
}

LONG WINAPI ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) {
    if (!mode) {
        fake::Record("ChangeDisplaySettingsA", {"(null)", fake::Hex(flags)});
        if (fake::ShouldFail("ChangeDisplaySettingsA")) return DISP_CHANGE_FAILED;
        TheState().mode = fake::DisplayMode();
        return DISP_CHANGE_SUCCESSFUL;
    }
    fake::Record("ChangeDisplaySettingsA",
                 {Number(mode->dmPelsWidth) + "x" + Number(mode->dmPelsHeight) + "x" + Number(mode->dmBitsPerPel),
                  fake::Hex(mode->dmFields), Number(mode->dmSize), fake::Hex(flags)});
    if (fake::ShouldFail("ChangeDisplaySettingsA")) return DISP_CHANGE_FAILED;
    const LONG result = static_cast<LONG>(fake::Answer("ChangeDisplaySettingsA", DISP_CHANGE_SUCCESSFUL));
    if (result == DISP_CHANGE_SUCCESSFUL)
        TheState().mode = fake::DisplayMode{true, mode->dmPelsWidth, mode->dmPelsHeight, mode->dmBitsPerPel};
    return result;
}

int WINAPI ShowCursor(BOOL show) {
    fake::Record("ShowCursor", {Number(show)});
    TheState().cursorCounter += show ? 1 : -1;
    return TheState().cursorCounter;
}

BOOL WINAPI IsWindow(HWND window) {
    fake::Record("IsWindow", {Handle(window)});
    return fake::FindWindowRecord(window) != nullptr ? TRUE : FALSE;
}

BOOL WINAPI GetClientRect(HWND window, LPRECT rect) {
    fake::Record("GetClientRect", {Handle(window)});
    const fake::WindowRecord* record = fake::FindWindowRecord(window);
    if (fake::ShouldFail("GetClientRect") || !record || !rect) return FALSE;
    *rect = RECT{0, 0, record->state.clientWidth, record->state.clientHeight};
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
    fake::Record("MoveWindow", {Handle(window), Number(x), Number(y), Number(width), Number(height), Number(repaint)});
    fake::WindowRecord* record = fake::FindWindowRecord(window);
    if (fake::ShouldFail("MoveWindow") || !record) return FALSE;
    const common::FrameInsets frame = common::FrameFor(record->state.style, record->state.exStyle, false);
    record->state.outerWidth = width;
    record->state.outerHeight = height;
    record->state.clientWidth = common::ClientWidth(width, frame);
    record->state.clientHeight = common::ClientHeight(height, frame);
    fake::SendToWindow(window, WM_SIZE, SIZE_RESTORED,
                       MAKELPARAM(record->state.clientWidth, record->state.clientHeight));
    return TRUE;
}

// The virtual screen around the fake monitors unless a test queues answers.
int WINAPI GetSystemMetrics(int index) {
    fake::Record("GetSystemMetrics", {Number(index)});
    const RECT screen = fake::VirtualScreen();
    int fallback = 0;
    if (index == SM_XVIRTUALSCREEN) fallback = screen.left;
    if (index == SM_YVIRTUALSCREEN) fallback = screen.top;
    if (index == SM_CXVIRTUALSCREEN) fallback = screen.right - screen.left;
    if (index == SM_CYVIRTUALSCREEN) fallback = screen.bottom - screen.top;
    return static_cast<int>(fake::Answer("GetSystemMetrics", fallback));
}

// The fake's window numbers are its handle values.
HWND WindowFromId(uint64_t id) {
    HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(id));
    return fake::FindWindowRecord(window) != nullptr ? window : nullptr;
}
