// Linux backend: system metrics.
//
// Platform: Linux. Dependencies: SDL2. Supported: the virtual screen
// (SM_XVIRTUALSCREEN, SM_YVIRTUALSCREEN, SM_CXVIRTUALSCREEN,
// SM_CYVIRTUALSCREEN), the rectangle around every display's bounds, as
// Windows gives it. Missing: every other index answers 0, as Windows does for
// an index it does not know.
#include <SDL.h>

#include <algorithm>

#include "platform/linux/failure_reason.h"
#include "platform/linux/sdl_video.h"
#include "platform/win32.h"

namespace {

bool VirtualScreen(SDL_Rect& bounds) {
    if (!backend::EnsureVideo()) {
        backend::ReportSdlFailure("GetSystemMetrics");
        return false;
    }
    const int displays = SDL_GetNumVideoDisplays();
    bool any = false;
    for (int i = 0; i < displays; ++i) {
        SDL_Rect display;
        if (SDL_GetDisplayBounds(i, &display) != 0) continue;
        if (!any) {
            bounds = display;
            any = true;
            continue;
        }
        const int right = std::max(bounds.x + bounds.w, display.x + display.w);
        const int bottom = std::max(bounds.y + bounds.h, display.y + display.h);
        bounds.x = std::min(bounds.x, display.x);
        bounds.y = std::min(bounds.y, display.y);
        bounds.w = right - bounds.x;
        bounds.h = bottom - bounds.y;
    }
    return any;
}

}  // namespace

int WINAPI GetSystemMetrics(int index) {
    if (index < SM_XVIRTUALSCREEN || index > SM_CYVIRTUALSCREEN) return 0;
    SDL_Rect bounds{0, 0, 0, 0};
    if (!VirtualScreen(bounds)) return 0;
    switch (index) {
    case SM_XVIRTUALSCREEN:
        return bounds.x;
    case SM_YVIRTUALSCREEN:
        return bounds.y;
    case SM_CXVIRTUALSCREEN:
        return bounds.w;
    default:
        return bounds.h;
    }
}
