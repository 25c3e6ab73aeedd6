// The fake thread message queue and the calls that read it, for unit tests.
// See fake_queue.h.
#include "platform/common/key_translation.h"
#include "platform/common/thread_queue.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_queue.h"
#include "platform/fake/fake_window_object.h"

namespace fake {
namespace {

struct QueueState {
    common::ThreadQueue queue;
    int sent = 0;  // messages sent to windows, so that WaitMessage sees one arrive
    std::function<void()> getMessageHook;
    std::function<void()> waitHook;
    bool getMessageWouldBlock = false;
    bool waitWouldBlock = false;
};

QueueState& TheQueue() {
    static QueueState state;
    return state;
}

const bool registered = (AddResetHook([] { TheQueue() = QueueState(); }), true);

bool Take(MSG* msg, HWND window, UINT filterMin, UINT filterMax, bool remove) {
    return TheQueue().queue.Take(msg, window, filterMin, filterMax, remove, WindowToPaint);
}

bool SomethingWaits() { return QueuedMessageCount() > 0 || QuitRequested(); }

void RunHook(const std::function<void()>& hook) {
    if (!hook) return;
    const std::function<void()> run = hook;  // the hook may replace itself
    run();
}

}  // namespace

LRESULT SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC procedure = WindowProcedureOf(window);
    if (!procedure) return 0;
    ++TheQueue().sent;
    return procedure(window, message, wParam, lParam);
}

void PostToQueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TheQueue().queue.Post(common::MakeMessage(window, message, wParam, lParam));
}

void DropQueuedMessages(HWND window) { TheQueue().queue.DropFor(window); }
int QueuedMessageCount() { return TheQueue().queue.Count(); }
bool QuitRequested() { return TheQueue().queue.QuitPosted(); }
void OnGetMessageIdle(std::function<void()> hook) { TheQueue().getMessageHook = std::move(hook); }
bool GetMessageWouldBlock() { return TheQueue().getMessageWouldBlock; }
void OnWaitMessage(std::function<void()> hook) { TheQueue().waitHook = std::move(hook); }
bool WaitMessageWouldBlock() { return TheQueue().waitWouldBlock; }

}  // namespace fake

void WINAPI PostQuitMessage(int exitCode) { fake::TheQueue().queue.PostQuit(exitCode); }

BOOL WINAPI PeekMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    if (fake::ShouldFail("PeekMessageA") || !msg) return FALSE;
    if (window && !fake::FindWindowRecord(window)) return FALSE;
    return fake::Take(msg, window, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL WINAPI GetMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax) {
    using namespace fake;
    if (ShouldFail("GetMessageA") || !msg || (window && !FindWindowRecord(window))) return -1;
    if (!Take(msg, window, filterMin, filterMax, true)) {
        RunHook(TheQueue().getMessageHook);
        if (!Take(msg, window, filterMin, filterMax, true)) {
            // The real call would wait for ever; end the caller's loop instead.
            TheQueue().getMessageWouldBlock = true;
            *msg = common::MakeMessage(nullptr, WM_QUIT, 0, 0);
        }
    }
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WINAPI WaitMessage(void) {
    using namespace fake;
    if (SomethingWaits()) return TRUE;
    const int sentBefore = TheQueue().sent;
    RunHook(TheQueue().waitHook);
    if (SomethingWaits() || TheQueue().sent != sentBefore) return TRUE;
    TheQueue().waitWouldBlock = true;
    PostQuitMessage(0);
    return TRUE;
}

BOOL WINAPI TranslateMessage(const MSG* msg) { return common::TranslateKeyMessage(msg); }

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
    if (!msg) return 0;
    const LRESULT result = fake::SendToWindow(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    // No BeginPaint in the subset: a dispatched WM_PAINT counts as painted.
    if (msg->message == WM_PAINT) fake::MarkPainted(msg->hwnd);
    return result;
}
