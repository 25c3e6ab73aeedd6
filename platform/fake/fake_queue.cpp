// The fake thread message queue, dispatching and default window handling,
// for unit tests. See fake_queue.h.
#include "platform/fake/fake_queue.h"

#include "platform/common/thread_queue.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_window.h"

namespace fake {
namespace {

struct State {
    common::ThreadQueue queue;
    std::function<void()> idleHook;
    bool wouldBlock = false;
};

State& TheState() {
    static State state;
    return state;
}

const bool registered = (AddResetHook([] { TheState() = State(); }), true);

std::string Number(long long value) { return std::to_string(value); }

std::string Handle(const void* handle) { return Hex(reinterpret_cast<uintptr_t>(handle)); }

bool Take(MSG* msg, HWND window, UINT filterMin, UINT filterMax, bool remove) {
    return TheState().queue.Take(msg, window, filterMin, filterMax, remove, WindowToPaint);
}

}  // namespace

LRESULT SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC procedure = WindowProcedureOf(window);
    return procedure ? procedure(window, message, wParam, lParam) : 0;
}

void PostToQueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TheState().queue.Post(common::MakeMessage(window, message, wParam, lParam));
}

void DropQueuedMessages(HWND window) { TheState().queue.DropFor(window); }
int QueuedMessageCount() { return TheState().queue.Count(); }
bool QuitRequested() { return TheState().queue.QuitPosted(); }
void OnGetMessageIdle(std::function<void()> hook) { TheState().idleHook = std::move(hook); }
bool GetMessageWouldBlock() { return TheState().wouldBlock; }

}  // namespace fake

void WINAPI PostQuitMessage(int exitCode) {
    fake::Record("PostQuitMessage", {fake::Number(exitCode)});
    fake::TheState().queue.PostQuit(exitCode);
}

BOOL WINAPI PeekMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    fake::Record("PeekMessageA", {fake::Handle(window), fake::Number(filterMin), fake::Number(filterMax),
                                  fake::Hex(removeFlags)});
    if (fake::ShouldFail("PeekMessageA") || !msg) return FALSE;
    if (window && !fake::FindWindowState(window)) return FALSE;
    return fake::Take(msg, window, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL WINAPI GetMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax) {
    fake::Record("GetMessageA", {fake::Handle(window), fake::Number(filterMin), fake::Number(filterMax)});
    if (fake::ShouldFail("GetMessageA") || !msg || (window && !fake::FindWindowState(window))) return -1;
    if (!fake::Take(msg, window, filterMin, filterMax, true)) {
        if (fake::TheState().idleHook) {
            auto hook = fake::TheState().idleHook;
            hook();
        }
        if (!fake::Take(msg, window, filterMin, filterMax, true)) {
            // The real call would wait for ever; end the caller's loop instead.
            fake::TheState().wouldBlock = true;
            *msg = common::MakeMessage(nullptr, WM_QUIT, 0, 0);
        }
    }
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WINAPI TranslateMessage(const MSG* msg) {
    fake::Record("TranslateMessage", {msg ? fake::Hex(msg->message) : "(null)"});
    return FALSE;
}

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
    if (!msg) {
        fake::Record("DispatchMessageA", {"(null)"});
        return 0;
    }
    fake::Record("DispatchMessageA", {fake::Handle(msg->hwnd), fake::Hex(msg->message), fake::Hex(msg->wParam),
                                      fake::Hex(static_cast<uint64_t>(msg->lParam))});
    const LRESULT result = fake::SendToWindow(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    // No BeginPaint in the subset: a dispatched WM_PAINT counts as painted.
    if (msg->message == WM_PAINT) fake::MarkPainted(msg->hwnd);
    return result;
}

// What Windows does by default for the messages the program passes on: the
// close command and Alt+F4 become WM_CLOSE, WM_CLOSE destroys the window,
// and painting is taken as done.
LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    fake::Record("DefWindowProcA", {fake::Handle(window), fake::Hex(message), fake::Hex(wParam),
                                    fake::Hex(static_cast<uint64_t>(lParam))});
    switch (message) {
    case WM_PAINT:
        fake::MarkPainted(window);
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) fake::SendToWindow(window, WM_CLOSE, 0, 0);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4) fake::SendToWindow(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    default:
        return 0;
    }
}
