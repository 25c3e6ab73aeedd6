// The message queue's order and filters. See thread_queue.h.
#include "platform/common/thread_queue.h"

namespace common {
namespace {

bool InRange(UINT message, UINT filterMin, UINT filterMax) {
    if (filterMin == 0 && filterMax == 0) return true;
    return message >= filterMin && message <= filterMax;
}

}  // namespace

MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg{};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    return msg;
}

void ThreadQueue::PostQuit(int exitCode) {
    quit = true;
    quitCode = exitCode;
}

void ThreadQueue::DropFor(HWND window) {
    for (auto it = posted.begin(); it != posted.end();) it = it->hwnd == window ? posted.erase(it) : it + 1;
}

bool ThreadQueue::Take(MSG* msg, HWND window, UINT filterMin, UINT filterMax, bool remove,
                       const PaintFinder& needsPaint) {
    for (auto it = posted.begin(); it != posted.end(); ++it) {
        if ((window == nullptr || it->hwnd == window) && InRange(it->message, filterMin, filterMax)) {
            *msg = *it;
            if (remove) posted.erase(it);
            return true;
        }
    }
    if (quit) {
        *msg = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(quitCode), 0);
        if (remove) quit = false;
        return true;
    }
    if (!InRange(WM_PAINT, filterMin, filterMax) || !needsPaint) return false;
    HWND painted = needsPaint(window);
    if (painted == nullptr) return false;
    *msg = MakeMessage(painted, WM_PAINT, 0, 0);
    return true;
}

}  // namespace common
