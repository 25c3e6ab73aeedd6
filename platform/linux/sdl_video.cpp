// Linux backend: SDL video start-up.
//
// Platform: Linux. Dependencies: SDL2. The subsystem is started once and
// left to the end of the process (display_mode.cpp stops it at exit only to
// undo a mode change still in force). Limitations: only the video subsystem
// is started here; the sound backend starts its own.
#include "platform/linux/sdl_video.h"

#include <SDL.h>

#include <cstdlib>
#include <string>

#include "platform/linux/failure_reason.h"
#include "platform/screen.h"

namespace backend {
namespace {

// Set before main, since the sound backend may start SDL before any window
// exists: SIGINT and SIGTERM keep their default meaning and end the program
// (SDL would turn them into a quit event that no window message stands for).
[[maybe_unused]] const bool signalsLeftAlone = SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1") == SDL_TRUE;

bool started = false;
std::string startFailure;  // why the first start failed; later calls give the same answer

const char* Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

// One attempt for the whole run; fills startFailure when it fails.
void StartOnce() {
    static bool tried = false;
    if (tried) return;
    tried = true;
    // The screen saver is switched by window activation (screen_saver.cpp)
    // rather than by SDL's window creation.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    // A full-screen window stays full screen when it loses the focus, as on
    // Windows. SDL would minimise it, which compositors without minimising
    // (sway) ignore: the window would be left shown and believed minimised.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // Closing a window is the window procedure's business; SDL_QUIT is then
    // left to mean a display connection lost for good (message_queue.cpp).
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    std::string display = "(SDL_VIDEODRIVER)";
    if (Variable("SDL_VIDEODRIVER") == nullptr) {
        const char* x11 = Variable("DISPLAY");
        const char* wayland = Variable("WAYLAND_DISPLAY");
        if (x11 == nullptr && wayland == nullptr) {
            startFailure = "DISPLAY is not set: there is no display to show on";
            return;
        }
        display = x11 != nullptr ? x11 : wayland;
        // Only the drivers of the displays named, so that SDL cannot fall
        // back to a driver without a screen.
        std::string drivers = x11 != nullptr ? "x11" : "";
        if (wayland != nullptr) drivers += drivers.empty() ? "wayland" : ",wayland";
        SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        startFailure = "cannot open display " + display + " (" + SDL_GetError() + ")";
        return;
    }
    started = true;
}

}  // namespace

bool EnsureVideo() {
    if (started) return true;
    static bool reported = false;  // every later call asks again; say it once
    StartOnce();
    if (!started && !reported) ReportFailure("SDL_InitSubSystem", startFailure.c_str());
    reported = true;
    return started;
}

}  // namespace backend

std::string NoScreenReason() {
    backend::StartOnce();
    return backend::started ? std::string() : backend::startFailure;
}
