// Linux backend: SDL video start-up and the screen-saver switch.
//
// Platform: Linux. Dependencies: SDL2. The subsystem is started once and
// left to the end of the process (display_mode.cpp stops it at exit only to
// undo a mode change still in force). Limitations: only the video subsystem
// is started here; the sound backend starts its own.
#include "platform/linux/sdl_video.h"

#include <SDL.h>

namespace backend {
namespace {

// Set before main, since the sound backend may start SDL before any window
// exists: SIGINT and SIGTERM keep their default meaning and end the program
// (SDL would turn them into a quit event that no window message stands for).
[[maybe_unused]] const bool signalsLeftAlone = SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1") == SDL_TRUE;

}  // namespace

bool EnsureVideo() {
    static bool started = false;
    if (started) return true;
    // The screen saver is switched by window activation rather than by SDL.
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
