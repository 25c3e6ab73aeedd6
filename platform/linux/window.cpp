// Linux backend: windows over SDL windows made for OpenGL, and the frame
// arithmetic of AdjustWindowRectEx.
//
// Platform: Linux. Dependencies: SDL2. CreateWindowExA takes the frame of
// AdjustWindowRectEx (platform/common/window_frame.h) off the outer size so
// the client area is the size the caller planned; WS_POPUP windows are
// borderless, and a popup the size of a display mode set with
// ChangeDisplaySettingsA becomes a full-screen window in that mode. A
// WS_CHILD window is made inside its parent by foreign_window.cpp. Creation,
// showing and destruction send their messages to the window procedure before
// returning, as on Windows. Limitations: no menus; show commands other than
// SW_HIDE show and activate.
#include <algorithm>
#include <memory>
#include <vector>

#include "platform/common/window_frame.h"
#include "platform/linux/display_mode.h"
#include "platform/linux/failure_reason.h"
#include "platform/linux/foreign_window.h"
#include "platform/linux/pixel_format.h"
#include "platform/linux/sdl_video.h"
#include "platform/linux/window_class.h"
#include "platform/linux/window_object.h"

namespace backend {
namespace {

std::vector<std::unique_ptr<WindowObject>>& Windows() {
    static std::vector<std::unique_ptr<WindowObject>> windows;
    return windows;
}

// Tries the GL formats best first; the first the display accepts wins.
SDL_Window* CreateSdlWindow(const char* title, int x, int y, int width, int height, Uint32 flags, int* format) {
    for (int index = 0; index < GLFormatCount(); ++index) {
        ApplyGLFormat(index);
        SDL_Window* window = SDL_CreateWindow(title, x, y, width, height, flags);
        if (window != nullptr) {
            *format = index;
            return window;
        }
    }
    ReportSdlFailure("SDL_CreateWindow");
    return nullptr;
}

void ShowSdlWindow(WindowObject* window) {
    SDL_ShowWindow(window->sdlWindow);
    SDL_RaiseWindow(window->sdlWindow);
    SDL_SetWindowInputFocus(window->sdlWindow);
}

// Whether SDL holds a key other than a modifier down.
bool KeyHeld() {
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    for (int code = 0; code < std::min(count, static_cast<int>(SDL_SCANCODE_LCTRL)); ++code) {
        if (state[code]) return true;
    }
    return false;
}

// SDL 2.26's Wayland driver repeats a held key itself until it sees the
// key's release, and the compositor keeps the keyboard on a hidden surface
// until it is destroyed. A window destroyed on a key press (F1 and Escape
// do so) would miss the release, which then reaches no window of ours while
// the next one is still being made, and the key repeats for ever: F1
// rebuilding the display again and again. So a focused window that still
// has a key held is hidden, and destroyed once the key is let go (a tap is
// a tenth of a second), or after a second for a key held on purpose.
void HideBeforeDestruction(SDL_Window* sdlWindow) {
    constexpr Uint64 kReleaseWaitMs = 1000;
    const bool focused = SDL_GetKeyboardFocus() == sdlWindow;
    SDL_HideWindow(sdlWindow);
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!focused || driver == nullptr || SDL_strcmp(driver, "wayland") != 0) return;
    const Uint64 deadline = SDL_GetTicks64() + kReleaseWaitMs;
    while (SDL_GetKeyboardFocus() == sdlWindow && KeyHeld() && SDL_GetTicks64() < deadline) {
        SDL_Delay(5);
        SDL_PumpEvents();
    }
}

}  // namespace

WindowObject* AdoptWindow(std::unique_ptr<WindowObject> object) {
    static uint64_t lastSerial = 0;
    object->serial = ++lastSerial;
    Windows().push_back(std::move(object));
    return Windows().back().get();
}

WindowObject* FindWindowObject(HWND window) {
    if (window == nullptr) return nullptr;
    for (auto& object : Windows()) {
        if (object.get() == window) return object.get();
    }
    return nullptr;
}

WindowObject* FindWindowBySdlId(uint32_t sdlId) {
    for (auto& object : Windows()) {
        if (object->sdlId == sdlId) return object.get();
    }
    return nullptr;
}

WindowObject* FindWindowBySerial(uint64_t serial) {
    for (auto& object : Windows()) {
        if (object->serial == serial) return object.get();
    }
    return nullptr;
}

WindowObject* FindWindowByDC(HDC dc) {
    if (dc == nullptr) return nullptr;
    for (auto& object : Windows()) {
        if (&object->deviceContext == dc) return object.get();
    }
    return nullptr;
}

const std::vector<std::unique_ptr<WindowObject>>& LiveWindows() { return Windows(); }

int CountWindowsOfClass(const std::string& className) {
    return static_cast<int>(std::count_if(Windows().begin(), Windows().end(), [&](const auto& object) {
        return SameNameIgnoringCase(object->className, className);
    }));
}

bool SendToWindow(WindowObject* window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const uint64_t serial = window->serial;
    const LRESULT answer = window->procedure(window, message, wParam, lParam);
    if (result != nullptr) *result = answer;
    return FindWindowBySerial(serial) != nullptr;
}

bool ReportClientSize(WindowObject* window, int width, int height) {
    if (window->clientWidth == width && window->clientHeight == height) return true;
    window->clientWidth = width;
    window->clientHeight = height;
    return SendToWindow(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
}

SDL_Window* SdlWindowOf(HWND window) {
    WindowObject* object = FindWindowObject(window);
    return object != nullptr ? object->sdlWindow : nullptr;
}

}  // namespace backend

BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
    if (rect == nullptr) {
        backend::ReportFailure("AdjustWindowRectEx", "no rectangle");
        return FALSE;
    }
    common::GrowByFrame(*rect, style, exStyle, menu != FALSE);
    return TRUE;
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                            int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID /*param*/) {
    using namespace backend;
    const WindowClass* windowClass = FindWindowClass(className, instance);
    if (windowClass == nullptr) {
        ReportFailure("CreateWindowExA", "the class is not registered");
        return nullptr;
    }
    if (parent != nullptr || (style & WS_CHILD) != 0) {
        if (parent == nullptr || (style & WS_CHILD) == 0) {
            ReportFailure("CreateWindowExA", "a child window needs WS_CHILD and a parent");
            return nullptr;
        }
        return CreateChildWindow(parent, *windowClass, windowName, style, exStyle, x, y, width, height);
    }
    if (!EnsureVideo()) return nullptr;

    // SDL cannot make a window of no pixels.
    const common::FrameInsets frame = common::FrameFor(style, exStyle, menu != nullptr);
    const int clientWidth = common::ClientWidth(width, frame, 1);
    const int clientHeight = common::ClientHeight(height, frame, 1);

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    const bool popup = (style & WS_POPUP) != 0;
    if (popup && (style & WS_CAPTION) != WS_CAPTION) flags |= SDL_WINDOW_BORDERLESS;
    if (style & WS_THICKFRAME) flags |= SDL_WINDOW_RESIZABLE;
    const SDL_DisplayMode* mode = ChangedDisplayMode();
    const bool fullscreen = popup && mode != nullptr && mode->w == clientWidth && mode->h == clientHeight;
    if (fullscreen) flags |= SDL_WINDOW_FULLSCREEN;

    NoteWindowActivity();
    auto object = std::make_unique<WindowObject>();
    object->sdlWindow = CreateSdlWindow(windowName != nullptr ? windowName : "", x + static_cast<int>(frame.left),
                                        y + static_cast<int>(frame.top), clientWidth, clientHeight, flags,
                                        &object->glFormat);
    if (object->sdlWindow == nullptr) return nullptr;
    if (fullscreen && SDL_SetWindowDisplayMode(object->sdlWindow, mode) != 0) {
        ReportSdlFailure("SDL_SetWindowDisplayMode");
    }

    object->sdlId = SDL_GetWindowID(object->sdlWindow);
    object->procedure = windowClass->procedure;
    object->className = windowClass->name;
    object->style = style;
    object->exStyle = exStyle;
    object->deviceContext.window = object.get();
    WindowObject* window = AdoptWindow(std::move(object));

    // Windows tells a new window its size before CreateWindowEx returns.
    if (!ReportClientSize(window, clientWidth, clientHeight)) return nullptr;
    if (style & WS_VISIBLE) ShowWindow(window, SW_SHOW);
    return window;
}

BOOL WINAPI DestroyWindow(HWND handle) {
    using namespace backend;
    WindowObject* window = FindWindowObject(handle);
    if (window == nullptr || window->destroying) {
        ReportFailure("DestroyWindow", window == nullptr ? "not a live window" : "already being destroyed");
        return FALSE;
    }
    // The flag keeps the object alive through the messages below: a nested
    // DestroyWindow from the window procedure is refused.
    window->destroying = true;
    NoteWindowActivity();
    if (window->visible) {
        HideBeforeDestruction(window->sdlWindow);
        window->visible = false;
    }
    DeactivateWindow(window);
    SendToWindow(window, WM_DESTROY, 0, 0);
    ForgetWindow(window);
    DropQueuedMessages(handle);
    SDL_DestroyWindow(window->sdlWindow);
    DestroyChildWindow(window);
    auto& windows = Windows();
    windows.erase(std::find_if(windows.begin(), windows.end(),
                               [&](const auto& object) { return object.get() == window; }));
    return TRUE;
}

BOOL WINAPI ShowWindow(HWND handle, int command) {
    using namespace backend;
    WindowObject* window = FindWindowObject(handle);
    if (window == nullptr) {
        ReportFailure("ShowWindow", "not a live window");
        return FALSE;
    }
    const BOOL wasVisible = window->visible ? TRUE : FALSE;
    NoteWindowActivity();
    if (command == SW_HIDE) {
        if (window->visible) {
            SDL_HideWindow(window->sdlWindow);
            window->visible = false;
            DeactivateWindow(window);
        }
        return wasVisible;
    }
    const uint64_t serial = window->serial;
    if (!window->visible) {
        ShowSdlWindow(window);
        window->visible = true;
        window->needsPaint = true;
    }
    ActivateWindow(window);
    window = FindWindowBySerial(serial);
    if (window == nullptr || window->shownBefore) return wasVisible;
    window->shownBefore = true;
    // A window shown for the first time hears its size again, after its
    // activation, as on Windows.
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window->sdlWindow, &width, &height);
    window->clientWidth = -1;
    ReportClientSize(window, width, height);
    return wasVisible;
}

HDC WINAPI GetDC(HWND handle) {
    backend::WindowObject* window = backend::FindWindowObject(handle);
    if (window == nullptr) {
        backend::ReportFailure("GetDC", "not a live window");
        return nullptr;
    }
    return &window->deviceContext;
}

int WINAPI ReleaseDC(HWND handle, HDC dc) {
    backend::WindowObject* window = backend::FindWindowObject(handle);
    if (window == nullptr || dc != &window->deviceContext) {
        backend::ReportFailure("ReleaseDC", "not the device context of a live window");
        return 0;
    }
    return 1;
}
