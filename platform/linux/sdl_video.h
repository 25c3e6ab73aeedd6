// Linux backend: bringing up SDL's video subsystem on first use, and the one
// check the programs make before they show anything.
//
// Platform: Linux. Dependencies: SDL2. The window, GL, display-mode, cursor
// and message-queue calls all start it lazily, so a program that never opens
// a window never touches the display. SDL is only let use the drivers of the
// displays the environment names (X11 for DISPLAY, Wayland for
// WAYLAND_DISPLAY), so it never falls back to one that draws nowhere
// (offscreen, dummy); a driver named in SDL_VIDEODRIVER is taken as chosen on
// purpose and used as SDL picks it. Limitations: one display (the first).
#pragma once

namespace backend {

// Starts SDL's video subsystem once; false when no display can be opened.
bool EnsureVideo();

}  // namespace backend

// NoScreenReason (platform/screen.h) is defined beside EnsureVideo: it starts
// SDL the same way.
