// Linux backend: what a GL window's HWND points to, and the internal calls
// the window, focus, GL and message-queue files share.
//
// Platform: Linux. Dependencies: SDL2. Each HWND made by CreateWindowExA is a
// WindowObject around one SDL window created for OpenGL; its device context
// is part of it (every window owns its DC). Handles given to the calls are
// looked up among the live windows before use, so a stale or foreign handle
// is refused instead of dereferenced. A child window (foreign_window.cpp)
// is an X window inside a window the program was given.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/common/activation.h"
#include "platform/linux/handles.h"

namespace backend {

struct WindowObject : HWND__ {
    WindowObject() : HWND__(GLWindowKind) {}

    uint64_t serial = 0;  // unique per window, never reused
    SDL_Window* sdlWindow = nullptr;
    uint32_t sdlId = 0;
    int glFormat = 0;  // which GL attribute set the SDL window was made with
    WNDPROC procedure = nullptr;
    std::string className;
    DWORD style = 0;
    DWORD exStyle = 0;
    HDC__ deviceContext;
    int clientWidth = 0;  // the client size last reported with WM_SIZE
    int clientHeight = 0;
    bool visible = false;
    bool shownBefore = false;  // ShowWindow has shown it once
    bool minimized = false;
    bool needsPaint = false;
    bool destroying = false;
    unsigned long childXWindow = 0;  // X window of a child in a given window (foreign_window.cpp)
};

// Gives a new window its serial and enters it among the live windows.
WindowObject* AdoptWindow(std::unique_ptr<WindowObject> object);

// Live-window lookups; each returns null when nothing matches.
WindowObject* FindWindowObject(HWND window);
WindowObject* FindWindowBySdlId(uint32_t sdlId);
WindowObject* FindWindowBySerial(uint64_t serial);
WindowObject* FindWindowByDC(HDC dc);
// Every live window, in creation order. Callers must not create or destroy
// windows while they walk it.
const std::vector<std::unique_ptr<WindowObject>>& LiveWindows();

// How many live windows belong to the class (names compared without case).
int CountWindowsOfClass(const std::string& className);

// Hands a message straight to the window procedure, as SendMessage does on
// the window's own thread. False when the window no longer exists afterwards.
bool SendToWindow(WindowObject* window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr);

// Reports the client size with WM_SIZE when it differs from the last report.
bool ReportClientSize(WindowObject* window, int width, int height);

// The windows as the shared window behaviour sees them (window_host.cpp),
// and the one active window and focus over them (platform/common/).
using common::TheActivation;
using common::TheWindowHost;

// Reports to the activation (activation.cpp), which tells the windows; each
// does nothing when nothing changes. Activating moves the focus too (not to
// a minimised window); deactivating takes it away.
void ActivateWindow(WindowObject* window);
void DeactivateWindow(WindowObject* window);
// A window activated while minimised heard so with the minimised flag; once
// restored it hears that it is active without it, and gets the focus.
void ReportRestoredActivation(WindowObject* window);
// The window is gone (after its WM_DESTROY): the activation forgets it.
void ForgetWindow(WindowObject* window);
WindowObject* FocusWindow();

// Posted messages, returned by PeekMessageA and GetMessageA in order.
void PostToQueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void DropQueuedMessages(HWND window);
// Something that may change the display mode or the focus happened (a
// window made, shown, hidden or destroyed, a mode set): for a while the
// message waits wake regularly, since SDL may hold a focus change back
// (message_queue.cpp).
void NoteWindowActivity();
// Turns one SDL event into the window messages it stands for.
void TranslateSdlEvent(const SDL_Event& event);

// The SDL system-window facts other backend files need (dialog owners).
SDL_Window* SdlWindowOf(HWND window);

}  // namespace backend
