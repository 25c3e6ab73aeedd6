// Linux backend: holding off screen savers for the active window.
//
// Platform: Linux. Dependencies: SDL2 (its screen-saver switch: the
// freedesktop D-Bus inhibit when a session bus offers it, else the X
// server's saver), x_screen_saver.cpp (the X server's saver and DPMS,
// xscreensaver). The question is WM_SYSCOMMAND SC_SCREENSAVE, sent to the
// active window's procedure from the message queue, never from inside an
// activation: right after a window becomes active and about every 30
// seconds while it stays active, so a procedure's answer is followed and
// frames are never slowed. Holding stops at once when the window loses
// activation (which minimising and destroying it also do) and at exit.
// Limitations: one active window at a time, as the activation file keeps.
#include "platform/linux/screen_saver.h"

#include <SDL.h>

#include <cerrno>
#include <cstdlib>

#include "platform/linux/sdl_video.h"
#include "platform/linux/window_object.h"
#include "platform/linux/x_screen_saver.h"

namespace backend {
namespace {

// xscreensaver's shortest timeout is one minute; half of it leaves room.
constexpr Uint64 kAskEveryMs = 30000;

uint64_t activeSerial = 0;  // 0: no window is active
bool askNow = false;
Uint64 lastAsked = 0;
bool held = false;
bool asking = false;
bool reachedDefault = false;

void Hold(bool hold) {
    if (hold == held) return;
    held = hold;
    SuspendXScreenSaver(hold);
    if (!EnsureVideo()) return;
    if (hold) {
        // Desktops list who holds their saver off: the program by its file
        // name rather than SDL's generic one, unless the user set one.
        SDL_SetHintWithPriority(SDL_HINT_APP_NAME, program_invocation_short_name, SDL_HINT_DEFAULT);
        SDL_DisableScreenSaver();
    } else {
        SDL_EnableScreenSaver();
    }
}

void ReleaseAtExit() { Hold(false); }

// Swallowed: the procedure answered 0 and did not pass the request on.
bool SwallowsScreenSaverRequest(WindowObject* window) {
    asking = true;
    reachedDefault = false;
    LRESULT answer = 1;
    const bool alive = SendToWindow(window, WM_SYSCOMMAND, SC_SCREENSAVE, 0, &answer);
    asking = false;
    return alive && answer == 0 && !reachedDefault;
}

}  // namespace

void ScreenSaverWindowActivated(uint64_t serial) {
    activeSerial = serial;
    askNow = true;
}

void ScreenSaverWindowDeactivated() {
    activeSerial = 0;
    askNow = false;
    Hold(false);
}

void KeepScreenSaverAway() {
    if (activeSerial == 0) return;
    const Uint64 now = SDL_GetTicks64();
    if (!askNow && now - lastAsked < kAskEveryMs) return;
    askNow = false;
    lastAsked = now;
    WindowObject* window = FindWindowBySerial(activeSerial);
    const bool hold = window != nullptr && !window->minimized && SwallowsScreenSaverRequest(window);
    static bool releaseRegistered = false;
    if (hold && !releaseRegistered) releaseRegistered = std::atexit(ReleaseAtExit) == 0;
    Hold(hold && activeSerial != 0);
    if (held) DeactivateXScreenSaver();
}

void ScreenSaverRequestReachedDefault() {
    if (asking) reachedDefault = true;
}

bool ScreenSaverHeld() { return held; }

}  // namespace backend
