// Linux backend: the thread's message queue.
//
// Platform: Linux. Dependencies: SDL2. The queue's order and filters are
// platform/common/thread_queue.h's. Messages come from SDL's event queue:
// the window events are sent straight to the window procedure while the
// queue is read (as Windows sends activation, focus, size and close), the
// key events are posted and returned in order. After the posted messages
// comes WM_QUIT once PostQuitMessage was called, and after that WM_PAINT for
// a window that was shown, exposed, restored or activated and not painted
// since. GetMessageA and WaitMessage sleep in SDL's event wait (which blocks
// on the display connection) until something arrives, so an idle program
// uses no processor time.
//
// SDL's X11 driver holds a focus change back for 200 ms when it comes within
// 400 ms of a display-mode change (or before events were pumped once after
// that), and hands it on only when events are pumped again. A wait without a
// limit could sleep through it for ever: a full-screen window that lost the
// focus while the mode changed would never hear that it has it back, and an
// inactive show draws nothing. So for a second after anything that may
// change the mode or the focus (a window call of ours, a window event) waits
// are cut into slices that each end with a pump; after that the program
// sleeps until the display says something.
//
// SDL reports a display connection that is lost for good (a Wayland
// compositor gone) as SDL_QUIT; every window then hears that it is closed,
// so the program ends as when the user closes it, and says why on standard
// error. Limitations: there is no PostMessage for callers, no WM_CHAR from
// TranslateMessage and no cross-thread messaging.
#include <vector>

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

constexpr Uint32 kWaitSliceMs = 100;
// SDL's 400 ms after a mode change, a slice until the next pump, its 200 ms
// hold, with room to spare.
constexpr Uint32 kHeldBackMs = 1000;
Uint32 lastWindowActivity = 0;
bool slicing = false;

void CloseEveryWindow() {
    std::vector<uint64_t> serials;
    for (const auto& window : LiveWindows()) serials.push_back(window->serial);
    for (const uint64_t serial : serials) {
        WindowObject* window = FindWindowBySerial(serial);
        if (window != nullptr && !window->destroying) SendToWindow(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
}

void Deliver(const SDL_Event& event) {
    if (event.type == SDL_WINDOWEVENT || event.type == SDL_DISPLAYEVENT) NoteWindowActivity();
    if (event.type == SDL_QUIT) {
        ReportFailure("SDL_PollEvent", "the connection to the display was lost");
        CloseEveryWindow();
        return;
    }
    TranslateSdlEvent(event);
}

void PumpSdlEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) Deliver(event);
    KeepScreenSaverAway();
}

// One event, or 0 when a slice of the wait ended first (SDL has pumped
// meanwhile), or -1 when SDL cannot wait.
int WaitForSdlEvent(SDL_Event* event) {
    if (slicing && SDL_TICKS_PASSED(SDL_GetTicks(), lastWindowActivity + kHeldBackMs)) slicing = false;
    if (slicing) return SDL_WaitEventTimeout(event, kWaitSliceMs) ? 1 : 0;
    if (SDL_WaitEvent(event)) return 1;
    ReportSdlFailure("SDL_WaitEvent");
    return -1;
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

void NoteWindowActivity() {
    lastWindowActivity = SDL_GetTicks();
    slicing = true;
}

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
        const int waited = WaitForSdlEvent(&event);
        if (waited < 0) return -1;
        if (waited > 0) Deliver(event);
    }
}

// Returns once a message waits or an event was handed on (it may have been
// sent straight to a window procedure and queued nothing, so callers look at
// their state and wait again, as after a sent message on Windows). FALSE
// when there is no display to wait on.
BOOL WINAPI WaitMessage(void) {
    using namespace backend;
    MSG waiting;
    if (PeekMessageA(&waiting, nullptr, 0, 0, PM_NOREMOVE)) return TRUE;
    if (!EnsureVideo()) return FALSE;
    for (;;) {
        SDL_Event event;
        const int waited = WaitForSdlEvent(&event);
        if (waited < 0) return FALSE;
        if (waited > 0) {
            Deliver(event);
            return TRUE;
        }
        // A slice ended: SDL may have handed held-back work on meanwhile.
        if (PeekMessageA(&waiting, nullptr, 0, 0, PM_NOREMOVE)) return TRUE;
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
