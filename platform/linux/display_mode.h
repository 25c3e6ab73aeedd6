// Linux backend: the display mode set with ChangeDisplaySettingsA.
//
// Platform: Linux. Dependencies: SDL2. X11 changes the screen's mode only
// for a full-screen window, so ChangeDisplaySettingsA checks the request
// against the modes the display offers and keeps it; a WS_POPUP window of
// exactly that size then becomes a full-screen window in that mode (SDL
// switches the screen while it is shown and switches back when it goes).
// Limitations: without such a window the screen keeps its mode.
#pragma once

#include <SDL.h>

namespace backend {

// The mode in force, or null while the desktop's own mode is.
const SDL_DisplayMode* ChangedDisplayMode();

}  // namespace backend
