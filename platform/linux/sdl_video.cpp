// Linux backend: SDL video start-up.
//
// Platform: Linux. Dependencies: SDL2. The subsystem is started once and
// left to the end of the process (display_mode.cpp stops it at exit only to
// undo a mode change still in force). Limitations: only the video subsystem
// is started here; the sound backend starts its own.
#include "platform/linux/sdl_video.h"

#include <SDL.h>

#include "platform/linux/failure_reason.h"
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
    // The screen saver is switched by window activation (screen_saver.cpp)
    // rather than by SDL's window creation.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        static bool reported = false;  // every later call asks again; say it once
        if (!reported) ReportSdlFailure("SDL_InitSubSystem");
        reported = true;
        return false;
    }
    started = true;
    return true;
}

}  // namespace backend
