// Scripting the fake message queue.
//
// Platform: none (unit tests). The queue's order and filters are those of
// platform/common/thread_queue.h, as in the Linux backend: posted messages,
// then WM_QUIT once PostQuitMessage was called, then WM_PAINT for a shown
// window not painted since. GetMessageA cannot
// block here: with nothing to take it runs the idle hook once, and if still
// nothing is queued it records that it would have waited forever and returns
// WM_QUIT so that the test ends instead of hanging.
#pragma once

#include <functional>

#include "platform/win32.h"

namespace fake {

// Calls the window's class procedure at once, as SendMessage would; 0 for a
// window that does not exist.
LRESULT SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Appends a message to the thread's queue.
void PostToQueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Forgets the messages posted for a window (DestroyWindow).
void DropQueuedMessages(HWND window);
int QueuedMessageCount();
bool QuitRequested();

// Runs when GetMessageA finds nothing to take (a test can post from it).
void OnGetMessageIdle(std::function<void()> hook);
// True once GetMessageA found nothing even after the idle hook.
bool GetMessageWouldBlock();

}  // namespace fake
