// Linux backend: holding off screen savers while a window wants it.
//
// Platform: Linux. Dependencies: SDL2, XCB. Windows asks the active window
// with WM_SYSCOMMAND SC_SCREENSAVE when its saver is due, and starts the
// saver only when the request reaches the default handling. This backend
// asks the same question of its active window and holds every saver it
// knows of off exactly while the answer is "swallowed": the freedesktop
// D-Bus inhibit and the X server's own saver (through SDL), and xscreensaver
// (its deactivate request, about every 30 seconds). A window whose procedure
// passes the request on (a screen-saver hack) holds nothing off.
#pragma once

#include <cstdint>

namespace backend {

// The window with this serial became the active one; it is asked the next
// time the queue is read.
void ScreenSaverWindowActivated(uint64_t serial);

// No window of the program is active any more: stop holding at once.
void ScreenSaverWindowDeactivated();

// Called whenever the message queue is read. Asks the active window right
// after activation and again about every 30 seconds, and keeps the savers
// away while it swallows the request.
void KeepScreenSaverAway();

// DefWindowProcA calls this for SC_SCREENSAVE: the request was not swallowed.
void ScreenSaverRequestReachedDefault();

// Whether the savers are held off now (for tests).
bool ScreenSaverHeld();

}  // namespace backend
