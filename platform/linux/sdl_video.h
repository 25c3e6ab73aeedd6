// Linux backend: bringing up SDL's video subsystem on first use.
//
// Platform: Linux. Dependencies: SDL2. The window, GL, display-mode, cursor
// and message-queue calls all start it lazily, so a program that never opens
// a window never touches the display. Limitations: one display (the first).
#pragma once

namespace backend {

// Starts SDL's video subsystem once; false when no display can be opened.
bool EnsureVideo();

}  // namespace backend
