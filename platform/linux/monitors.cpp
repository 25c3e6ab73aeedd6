// Linux backend: the monitors, one per SDL display.
//
// Platform: Linux. Dependencies: SDL2. Supported: EnumDisplayMonitors for
// the screen (no device context) and GetMonitorInfoA, over SDL's displays in
// SDL's order (the primary output first on X11, so display 0 is the primary
// monitor); rectangles in the coordinates GetSystemMetrics gives the virtual
// screen in. The work area is SDL's usable bounds. Missing: enumeration
// within a device context (FALSE). Without a display there are no monitors:
// EnumDisplayMonitors calls nothing and returns TRUE.
#include <SDL.h>

#include "platform/common/monitor_list.h"
#include "platform/linux/failure_reason.h"
#include "platform/linux/sdl_video.h"

namespace {

RECT ToRect(const SDL_Rect& rect) { return RECT{rect.x, rect.y, rect.x + rect.w, rect.y + rect.h}; }

std::vector<MonitorEntry> Monitors() {
    std::vector<MonitorEntry> monitors;
    if (!backend::EnsureVideo()) return monitors;
    const int displays = SDL_GetNumVideoDisplays();
    if (displays < 0) backend::ReportSdlFailure("SDL_GetNumVideoDisplays");
    for (int i = 0; i < displays; ++i) {
        SDL_Rect bounds;
        if (SDL_GetDisplayBounds(i, &bounds) != 0) {
            backend::ReportSdlFailure("SDL_GetDisplayBounds");
            continue;
        }
        SDL_Rect usable = bounds;
        if (SDL_GetDisplayUsableBounds(i, &usable) != 0) usable = bounds;
        monitors.push_back(MonitorEntry{ToRect(bounds), ToRect(usable), i == 0});
    }
    return monitors;
}

}  // namespace

BOOL WINAPI EnumDisplayMonitors(HDC dc, LPCRECT clip, MONITORENUMPROC callback, LPARAM data) {
    return EnumerateMonitors(Monitors(), dc, clip, callback, data);
}

BOOL WINAPI GetMonitorInfoA(HMONITOR monitor, LPMONITORINFO info) {
    return DescribeMonitor(Monitors(), monitor, info);
}
