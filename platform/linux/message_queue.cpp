// Linux backend: the thread's message queue.
//
// Platform: Linux. Dependencies: SDL2. The queue's order and filters are
// platform/common/thread_queue.h's. Messages come from SDL's event queue:
// the window events are sent straight to the window procedure while the
// queue is read (as Windows sends activation, focus, size and close), the
// key events are posted and returned in order. After the posted messages
// comes WM_QUIT once PostQuitMessage was called, and after that WM_PAINT for
// a window that was shown, exposed, restored or activated and not painted
// since. GetMessageA sleeps in SDL's event wait (which blocks on the X
// connection) until something arrives, so an idle program uses no processor
// time. Limitations: there is no PostMessage for callers, no WM_CHAR from
// TranslateMessage and no cross-thread messaging.
#include "platform/common/key_translation.h"
#include "platform/common/thread_queue.h"
#include "platform/linux/failure_reason.h"
#include "platform/linux/screen_saver.h"
#include "platform/linux/sdl_video.h"
#include "platform/linux/window_object.h"

namespace backend {
namespace {

common::ThreadQueue queue;

// Windows stamps each message with the time and the cursor position.
MSG Stamped(MSG msg) {
    msg.time = timeGetTime();
    int x = 0;
    int y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    msg.pt.x = x;
    msg.pt.y = y;
    return msg;
}

void PumpSdlEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) TranslateSdlEvent(event);
    KeepScreenSaverAway();
}

HWND WindowToPaint(HWND filter) {
    for (const auto& candidate : LiveWindows()) {
        if (candidate->needsPaint && candidate->visible && (filter == nullptr || filter == candidate.get())) {
            return candidate.get();
        }
    }
    return nullptr;
}

bool TakeMessage(MSG* msg, HWND window, UINT filterMin, UINT filterMax, bool remove) {
    if (!queue.Take(msg, window, filterMin, filterMax, remove, WindowToPaint)) return false;
    if (msg->message == WM_QUIT || msg->message == WM_PAINT) *msg = Stamped(*msg);
    return true;
}

}  // namespace

void PostToQueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    queue.Post(Stamped(common::MakeMessage(window, message, wParam, lParam)));
}

void DropQueuedMessages(HWND window) { queue.DropFor(window); }

}  // namespace backend

BOOL WINAPI PeekMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    using namespace backend;
    if (msg == nullptr || (window != nullptr && FindWindowObject(window) == nullptr)) {
        ReportFailure("PeekMessageA", msg == nullptr ? "no message record" : "not a live window");
        return FALSE;
    }
    if (EnsureVideo()) PumpSdlEvents();
    return TakeMessage(msg, window, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL WINAPI GetMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax) {
    using namespace backend;
    if (msg == nullptr || (window != nullptr && FindWindowObject(window) == nullptr)) {
        ReportFailure("GetMessageA", msg == nullptr ? "no message record" : "not a live window");
        return -1;
    }
    // Without a display nothing could ever arrive but what is already queued.
    const bool video = EnsureVideo();
    for (;;) {
        if (video) PumpSdlEvents();
        if (TakeMessage(msg, window, filterMin, filterMax, true)) return msg->message == WM_QUIT ? FALSE : TRUE;
        if (!video) {
            ReportFailure("GetMessageA", "no display to wait on and nothing queued");
            return -1;
        }
        SDL_Event event;
        if (!SDL_WaitEvent(&event)) {
            ReportSdlFailure("GetMessageA");
            return -1;
        }
        TranslateSdlEvent(event);
    }
}

BOOL WINAPI TranslateMessage(const MSG* msg) { return common::TranslateKeyMessage(msg); }

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
    using namespace backend;
    if (msg == nullptr) return 0;
    WindowObject* window = FindWindowObject(msg->hwnd);
    if (window == nullptr) {
        // A thread message (no window) has no procedure to go to.
        if (msg->hwnd != nullptr) ReportFailure("DispatchMessageA", "not a live window");
        return 0;
    }
    const uint64_t serial = window->serial;
    LRESULT result = 0;
    const bool alive = SendToWindow(window, msg->message, msg->wParam, msg->lParam, &result);
    // The subset has no BeginPaint, so a dispatched WM_PAINT counts as
    // painted; otherwise a window procedure that handles WM_PAINT itself
    // would be sent it forever.
    if (alive && msg->message == WM_PAINT) {
        if (WindowObject* painted = FindWindowBySerial(serial)) painted->needsPaint = false;
    }
    return result;
}

void WINAPI PostQuitMessage(int exitCode) { backend::queue.PostQuit(exitCode); }
