// Scripting the fake message queue.
//
// Platform: none (unit tests). The queue's order and filters are those of
// platform/common/thread_queue.h, as in the Linux backend: posted messages,
// then WM_QUIT once PostQuitMessage was called, then WM_PAINT for a shown
// window not painted since. Nothing here can block: GetMessageA and
// WaitMessage, finding nothing, run their test hook once as if time passed.
// If still nothing came, the real call would wait for ever: the fake notes
// that and ends the caller's loop instead of hanging (GetMessageA answers
// WM_QUIT, WaitMessage sets the quit flag).
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

// Runs when WaitMessage finds nothing waiting; WaitMessage returns once the
// hook posted a message, asked to quit or sent a message to a window (a
// display state, for instance).
void OnWaitMessage(std::function<void()> hook);
// True once WaitMessage found nothing even after its hook.
bool WaitMessageWouldBlock();

}  // namespace fake
