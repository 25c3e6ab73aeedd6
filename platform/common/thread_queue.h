// A thread's message queue as Windows orders it, without the window system
// that fills it: the posted messages, the quit request and the paint
// requests, taken through the filters of GetMessageA and PeekMessageA.
//
// Platform: any (the Linux backend and the fake both keep one). Posted
// messages come first, in the order posted, each only if it passes the
// filter (a window, or null for all; a message range, or 0 and 0 for all).
// Then WM_QUIT once PostQuitMessage was called, whatever the filter. Then
// WM_PAINT for a window the caller says needs painting; it is never removed
// here (it stays until the window is painted, whatever the remove flag).
// Limitations: no thread messages other than WM_QUIT, no (HWND)-1 filter.
#pragma once

#include <deque>
#include <functional>

#include "platform/win32.h"

namespace common {

MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class ThreadQueue {
public:
    void Post(const MSG& msg) { posted.push_back(msg); }
    void PostQuit(int exitCode);
    // Forgets every posted message for the window (it was destroyed).
    void DropFor(HWND window);
    int Count() const { return static_cast<int>(posted.size()); }
    bool QuitPosted() const { return quit; }

    // The first live window that needs painting and passes the window
    // filter, or null.
    using PaintFinder = std::function<HWND(HWND filter)>;
    bool Take(MSG* msg, HWND window, UINT filterMin, UINT filterMax, bool remove, const PaintFinder& needsPaint);

private:
    std::deque<MSG> posted;
    bool quit = false;
    int quitCode = 0;
};

}  // namespace common
