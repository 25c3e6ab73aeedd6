// Linux backend: SDL video start-up and the screen-saver switch.
//
// Platform: Linux. Dependencies: SDL2. The subsystem is started once and
// left to the end of the process (display_mode.cpp stops it at exit only to
// undo a mode change still in force). Limitations: only the video subsystem
// is started here; the sound backend starts its own.
#include "platform/linux/sdl_video.h"

#include <SDL.h>

namespace backend {

bool EnsureVideo() {
    static bool started = false;
    if (started) return true;
    // Signals keep their default meaning (SIGTERM ends the program), and the
    // screen saver is switched by window activation rather than by SDL.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    started = true;
    return true;
}

void InhibitScreenSaver(bool inhibit) {
    if (!EnsureVideo()) return;
    if (inhibit) {
        SDL_DisableScreenSaver();
    } else {
        SDL_EnableScreenSaver();
    }
}

}  // namespace backend
