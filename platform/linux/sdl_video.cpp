// Linux backend: SDL video start-up and the screen-saver switch.
//
// Platform: Linux. Dependencies: SDL2. The subsystem is started once and
// shut down at process exit, which also returns a changed display mode to the
// desktop's. Limitations: only the video subsystem is started here; the
// sound backend starts its own.
#include "platform/linux/sdl_video.h"

#include <SDL.h>

#include <cstdlib>

namespace backend {
namespace {

void StopVideo() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

}  // namespace

bool EnsureVideo() {
    static bool started = false;
    if (started) return true;
    // Signals keep their default meaning (SIGTERM ends the program), and the
    // screen saver is switched by window activation rather than by SDL.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    started = true;
    std::atexit(StopVideo);
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
