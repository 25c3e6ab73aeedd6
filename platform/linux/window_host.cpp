// Linux backend: its windows as the shared window behaviour sees them
// (platform/common/window_host.h), over which the one activation state
// (platform/common/activation.h) works.
//
// Platform: Linux. Dependencies: SDL2 (through the window objects). Messages
// go to the window procedure at once or into the thread's queue; the active
// window is told to the screen-saver file (screen_saver.cpp) and asks for a
// paint, which wakes a loop waiting in GetMessageA; SC_SCREENSAVE reaching
// the default handling lets the saver run. Limitation: SC_MONITORPOWER is
// never raised here, so its default handling does nothing.
#include "platform/linux/screen_saver.h"
#include "platform/linux/window_object.h"

namespace backend {
namespace {

class LinuxWindows final : public common::WindowHost {
public:
    bool IsLive(HWND window) override { return FindWindowObject(window) != nullptr; }

    bool IsMinimized(HWND window) override {
        const WindowObject* object = FindWindowObject(window);
        return object != nullptr && object->minimized;
    }

    bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        WindowObject* object = FindWindowObject(window);
        return object != nullptr && SendToWindow(object, message, wParam, lParam);
    }

    void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        PostToQueue(window, message, wParam, lParam);
    }

    void Painted(HWND window) override {
        if (WindowObject* object = FindWindowObject(window)) object->needsPaint = false;
    }

    void ActiveChanged(HWND window) override {
        WindowObject* object = FindWindowObject(window);
        if (object == nullptr) {
            ScreenSaverWindowDeactivated();
            return;
        }
        ScreenSaverWindowActivated(object->serial);
        object->needsPaint = true;
    }

    void SystemCommand(HWND, WPARAM command, LPARAM) override {
        if (command == SC_SCREENSAVE) ScreenSaverRequestReachedDefault();
    }
};

}  // namespace
}  // namespace backend

common::WindowHost& common::TheWindowHost() {
    static backend::LinuxWindows windows;
    return windows;
}
