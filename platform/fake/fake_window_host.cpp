// The fake's windows as the shared window behaviour sees them
// (platform/common/window_host.h), over which the one activation state
// (platform/common/activation.h) works.
//
// Platform: none (unit tests). Messages go to the window procedure at once
// or into the thread's queue. A window is never minimised (the fake has no
// minimise command). The screen-saver and monitor-power commands that reach
// the default handling are kept for tests (SystemCommandsCarriedOut).
#include "platform/fake/fake_dialog_window.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_queue.h"
#include "platform/fake/fake_window_object.h"

namespace fake {
namespace {

std::vector<WPARAM>& CarriedOut() {
    static std::vector<WPARAM> commands;
    return commands;
}

class FakeWindows final : public common::WindowHost {
public:
    bool IsLive(HWND window) override { return FindWindowRecord(window) != nullptr; }
    bool IsMinimized(HWND) override { return false; }

    bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        SendToWindow(window, message, wParam, lParam);
        return IsLive(window);
    }

    void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        PostToQueue(window, message, wParam, lParam);
    }

    void Painted(HWND window) override {
        MarkPainted(window);
        MarkDialogPainted(window);
    }
    void ActiveChanged(HWND) override {}
    void SystemCommand(HWND, WPARAM command, LPARAM) override { CarriedOut().push_back(command); }
};

const bool registered = (AddResetHook([] {
                             CarriedOut().clear();
                             TheActivation() = common::Activation(TheWindowHost());
                         }),
                         true);

}  // namespace

std::vector<WPARAM> SystemCommandsCarriedOut() { return CarriedOut(); }

}  // namespace fake

common::WindowHost& common::TheWindowHost() {
    static fake::FakeWindows windows;
    return windows;
}
