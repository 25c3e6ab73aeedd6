// Linux backend: SDL events as window messages.
//
// Platform: Linux. Dependencies: SDL2. Window events are sent to the window
// procedure at once (size, minimise, restore, focus, close as
// WM_SYSCOMMAND SC_CLOSE); key events are posted as WM_KEYDOWN and WM_KEYUP
// with Windows virtual-key codes, or WM_SYSKEYDOWN and WM_SYSKEYUP while Alt
// is held without Ctrl, for Alt itself and for F10, as on Windows. A
// minimised window hears a size of 0 by 0 and loses activation with the
// minimised flag. Limitations: the lParam of a key message carries the
// repeat count, the extended, Alt, previous-state and transition bits, but
// no hardware scan code; mouse and text events are not reported.
#include "platform/linux/virtual_keys.h"
#include "platform/linux/window_object.h"

namespace backend {
namespace {

constexpr DWORD kExtendedFlag = 1u << 24;
constexpr DWORD kAltDownFlag = 1u << 29;
constexpr DWORD kWasDownFlag = 1u << 30;
constexpr DWORD kReleasedFlag = 1u << 31;

void Restore(WindowObject* window) {
    window->minimized = false;
    window->needsPaint = true;
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window->sdlWindow, &width, &height);
    window->clientWidth = -1;  // report it even when unchanged: the last report was 0 by 0
    if (ReportClientSize(window, width, height)) ReportRestoredActivation(window);
}

void HandleWindowEvent(const SDL_WindowEvent& event) {
    WindowObject* window = FindWindowBySdlId(event.windowID);
    if (window == nullptr || window->destroying) return;
    switch (event.event) {
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
            window->needsPaint = true;
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            if (!window->minimized) ReportClientSize(window, event.data1, event.data2);
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            if (!window->minimized) {
                window->minimized = true;
                if (SendToWindow(window, WM_SIZE, SIZE_MINIMIZED, 0)) DeactivateWindow(window);
            }
            break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
            if (window->minimized) Restore(window);
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            if (window->visible) ActivateWindow(window);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            DeactivateWindow(window);
            break;
        case SDL_WINDOWEVENT_CLOSE:
            SendToWindow(window, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        default:
            break;
    }
}

void HandleKeyEvent(const SDL_KeyboardEvent& event) {
    WindowObject* window = FindWindowBySdlId(event.windowID);
    if (window == nullptr) window = FocusWindow();
    if (window == nullptr || window->destroying) return;
    const WORD virtualKey = VirtualKeyFor(event.keysym);
    if (virtualKey == 0) return;

    const bool down = event.type == SDL_KEYDOWN;
    const bool alt = (event.keysym.mod & KMOD_ALT) != 0;
    const bool ctrl = (event.keysym.mod & KMOD_CTRL) != 0;
    const bool system = virtualKey == VK_MENU || virtualKey == VK_F10 || (alt && !ctrl);
    UINT message = 0;
    if (down) {
        message = system ? WM_SYSKEYDOWN : WM_KEYDOWN;
    } else {
        message = system ? WM_SYSKEYUP : WM_KEYUP;
    }
    DWORD flags = 1;  // repeat count
    if (IsExtendedKey(event.keysym.scancode)) flags |= kExtendedFlag;
    if (alt) flags |= kAltDownFlag;
    if (!down || event.repeat) flags |= kWasDownFlag;
    if (!down) flags |= kReleasedFlag;
    PostToQueue(window, message, virtualKey, static_cast<LPARAM>(flags));
}

}  // namespace

void TranslateSdlEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_WINDOWEVENT:
            HandleWindowEvent(event.window);
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            HandleKeyEvent(event.key);
            break;
        default:
            break;
    }
}

}  // namespace backend
