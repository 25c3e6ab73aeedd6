// Scripting the fake message queue.
//
// Platform: none (unit tests). Posted messages wait in one thread queue;
// PostQuitMessage sets the quit flag, which, as on Windows, is taken as a
// WM_QUIT message only once the posted messages are gone. GetMessageA cannot
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
int QueuedMessageCount();
bool QuitRequested();

// Runs when GetMessageA finds nothing to take (a test can post from it).
void OnGetMessageIdle(std::function<void()> hook);
// True once GetMessageA found nothing even after the idle hook.
bool GetMessageWouldBlock();

}  // namespace fake
