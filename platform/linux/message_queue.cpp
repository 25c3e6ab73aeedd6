// Linux backend: the thread's message queue.
//
// Platform: Linux. Dependencies: SDL2. Messages come from SDL's event queue:
// the window events are sent straight to the window procedure while the
// queue is read (as Windows sends activation, focus, size and close), the
// key events are posted and returned in order. After the posted messages
// comes WM_QUIT once PostQuitMessage was called, and after that WM_PAINT for
// a window that was shown, exposed, restored or activated and not painted
// since. GetMessageA sleeps in SDL's event wait (which blocks on the X
// connection) until something arrives, so an idle program uses no processor
// time. Limitations: there is no PostMessage for callers, no WM_CHAR from
// TranslateMessage and no cross-thread messaging.
#include <deque>

#include "platform/linux/screen_saver.h"
#include "platform/linux/sdl_video.h"
#include "platform/linux/window_object.h"

namespace backend {
namespace {

std::deque<MSG> posted;
bool quitPosted = false;
int quitCode = 0;

bool InRange(UINT message, UINT filterMin, UINT filterMax) {
    if (filterMin == 0 && filterMax == 0) return true;
    return message >= filterMin && message <= filterMax;
}

bool ForWindow(HWND messageWindow, HWND filter) { return filter == nullptr || messageWindow == filter; }

MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg{};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
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

// The next message for the filter, in the order posted, quit, paint.
bool TakeMessage(MSG* msg, HWND window, UINT filterMin, UINT filterMax, bool remove) {
    for (auto it = posted.begin(); it != posted.end(); ++it) {
        if (ForWindow(it->hwnd, window) && InRange(it->message, filterMin, filterMax)) {
            *msg = *it;
            if (remove) posted.erase(it);
            return true;
        }
    }
    // WM_QUIT is returned whatever the filter, as on Windows.
    if (quitPosted) {
        *msg = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(quitCode), 0);
        if (remove) quitPosted = false;
        return true;
    }
    if (!InRange(WM_PAINT, filterMin, filterMax)) return false;
    for (const auto& candidate : LiveWindows()) {
        if (candidate->needsPaint && candidate->visible && ForWindow(candidate.get(), window)) {
            // WM_PAINT stays until the window is painted (DefWindowProcA or
            // its dispatch), whatever the remove flag says.
            *msg = MakeMessage(candidate.get(), WM_PAINT, 0, 0);
            return true;
        }
    }
    return false;
}

}  // namespace

void PostToQueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    posted.push_back(MakeMessage(window, message, wParam, lParam));
}

void DropQueuedMessages(HWND window) {
    for (auto it = posted.begin(); it != posted.end();) {
        it = it->hwnd == window ? posted.erase(it) : it + 1;
    }
}

}  // namespace backend

BOOL WINAPI PeekMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    using namespace backend;
    if (msg == nullptr || (window != nullptr && FindWindowObject(window) == nullptr)) return FALSE;
    if (EnsureVideo()) PumpSdlEvents();
    return TakeMessage(msg, window, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL WINAPI GetMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax) {
    using namespace backend;
    if (msg == nullptr || (window != nullptr && FindWindowObject(window) == nullptr)) return -1;
    // Without a display nothing could ever arrive but what is already queued.
    const bool video = EnsureVideo();
    for (;;) {
        if (video) PumpSdlEvents();
        if (TakeMessage(msg, window, filterMin, filterMax, true)) return msg->message == WM_QUIT ? FALSE : TRUE;
        if (!video) return -1;
        SDL_Event event;
        if (SDL_WaitEvent(&event)) {
            TranslateSdlEvent(event);
        } else {
            return -1;
        }
    }
}

BOOL WINAPI TranslateMessage(const MSG* msg) {
    if (msg == nullptr) return FALSE;
    switch (msg->message) {
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
            return TRUE;
        default:
            return FALSE;
    }
}

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
    using namespace backend;
    if (msg == nullptr) return 0;
    WindowObject* window = FindWindowObject(msg->hwnd);
    if (window == nullptr) return 0;
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

void WINAPI PostQuitMessage(int exitCode) {
    backend::quitPosted = true;
    backend::quitCode = exitCode;
}
