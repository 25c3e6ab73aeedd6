// Linux backend: the active window and the keyboard focus.
//
// Platform: Linux. Dependencies: SDL2. ShowWindow, SetForegroundWindow,
// SetFocus, DestroyWindow and the SDL focus and minimise events report what
// moved to the shared activation (platform/common/activation.h), which sends
// the activation and focus messages in Windows' order. A report changes
// something only on a change, so the X server's own focus events after a
// synchronous activation add nothing.
// Limitations: windows of other programs are not known; losing the X focus
// to one simply leaves no window of this program active.
#include "platform/linux/failure_reason.h"
#include "platform/linux/window_object.h"

namespace backend {

WindowObject* FocusWindow() { return FindWindowObject(TheActivation().Focus()); }
void ActivateWindow(WindowObject* window) { TheActivation().Activate(window); }
void DeactivateWindow(WindowObject* window) { TheActivation().Deactivate(window); }
void ReportRestoredActivation(WindowObject* window) { TheActivation().Restored(window); }
void ForgetWindow(WindowObject* window) { TheActivation().Forget(window); }

}  // namespace backend

BOOL WINAPI SetForegroundWindow(HWND handle) {
    backend::WindowObject* window = backend::FindWindowObject(handle);
    if (window == nullptr) {
        backend::ReportFailure("SetForegroundWindow", "not a live window");
        return FALSE;
    }
    SDL_RaiseWindow(window->sdlWindow);
    backend::ActivateWindow(window);
    return TRUE;
}

HWND WINAPI SetFocus(HWND handle) {
    using namespace backend;
    if (handle != nullptr) {
        WindowObject* window = FindWindowObject(handle);
        if (window == nullptr) {
            ReportFailure("SetFocus", "not a live window");
            return nullptr;
        }
        if (window->visible) SDL_SetWindowInputFocus(window->sdlWindow);
    }
    return TheActivation().SetFocus(handle);
}
