// Linux backend: display-mode changes.
//
// Platform: Linux. Dependencies: SDL2. A request is granted when the first
// display offers a mode of that width and height; colour depths of 8, 16, 24
// and 32 bits are all granted for such a size, since the display renders
// each of them in its own pixel format (as current Windows emulates the low
// depths). Anything else is DISP_CHANGE_BADMODE. A null mode restores the
// desktop: full-screen windows go back to windowed. Limitations: the first
// display only; the change is never written to any settings store.
#include "platform/linux/display_mode.h"
#include "platform/linux/failure_reason.h"

#include <cstdlib>
#include <string>

#include "platform/linux/sdl_video.h"
#include "platform/linux/window_object.h"

namespace backend {
namespace {

bool haveChangedMode = false;
SDL_DisplayMode changedMode;

bool DepthIsRenderable(DWORD bits) { return bits == 8 || bits == 16 || bits == 24 || bits == 32; }

// A temporary mode change ends with the process, as on Windows: stopping
// SDL's video puts the desktop's mode back.
void RestoreDesktopAtExit() {
    if (haveChangedMode) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace

const SDL_DisplayMode* ChangedDisplayMode() { return haveChangedMode ? &changedMode : nullptr; }

}  // namespace backend

LONG WINAPI ChangeDisplaySettingsA(DEVMODEA* mode, DWORD /*flags*/) {
    using namespace backend;
    if (mode == nullptr) {
        if (haveChangedMode) {
            haveChangedMode = false;
            NoteWindowActivity();
            for (const auto& window : LiveWindows()) {
                if (SDL_GetWindowFlags(window->sdlWindow) & SDL_WINDOW_FULLSCREEN) {
                    if (SDL_SetWindowFullscreen(window->sdlWindow, 0) != 0) ReportSdlFailure("SDL_SetWindowFullscreen");
                }
            }
        }
        return DISP_CHANGE_SUCCESSFUL;
    }
    if (!EnsureVideo()) return DISP_CHANGE_FAILED;
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) {
        ReportSdlFailure("SDL_GetDesktopDisplayMode");
        return DISP_CHANGE_FAILED;
    }
    const int width = (mode->dmFields & DM_PELSWIDTH) ? static_cast<int>(mode->dmPelsWidth) : desktop.w;
    const int height = (mode->dmFields & DM_PELSHEIGHT) ? static_cast<int>(mode->dmPelsHeight) : desktop.h;
    if ((mode->dmFields & DM_BITSPERPEL) && !DepthIsRenderable(mode->dmBitsPerPel)) {
        ReportFailure("ChangeDisplaySettingsA", "colour depth not one of 8, 16, 24, 32 bits");
        return DISP_CHANGE_BADMODE;
    }

    // Of the modes with this size, the one in the desktop's pixel format and
    // with the highest refresh rate.
    const int count = SDL_GetNumDisplayModes(0);
    bool found = false;
    SDL_DisplayMode best;
    for (int index = 0; index < count; ++index) {
        SDL_DisplayMode candidate;
        if (SDL_GetDisplayMode(0, index, &candidate) != 0) continue;
        if (candidate.w != width || candidate.h != height) continue;
        const bool better = !found || (candidate.format == desktop.format && best.format != desktop.format) ||
                            (candidate.format == best.format && candidate.refresh_rate > best.refresh_rate);
        if (better) {
            best = candidate;
            found = true;
        }
    }
    if (!found) {
        const std::string reason = "the display offers no " + std::to_string(width) + "x" + std::to_string(height) +
                                   " mode (" + std::to_string(count) + " modes listed by SDL)";
        ReportFailure("ChangeDisplaySettingsA", reason.c_str());
        return DISP_CHANGE_BADMODE;
    }
    changedMode = best;
    haveChangedMode = true;
    static bool restoreRegistered = false;
    if (!restoreRegistered) restoreRegistered = std::atexit(RestoreDesktopAtExit) == 0;
    return DISP_CHANGE_SUCCESSFUL;
}
