// Linux backend: the mouse cursor's display counter.
//
// Platform: Linux. Dependencies: SDL2. As on Windows, ShowCursor moves a
// counter that starts at 0 and the cursor is shown while it is 0 or more;
// the call returns the new count. Limitations: one counter for the process
// (Windows keeps one per thread, and this program has one thread).
#include <SDL.h>

#include "platform/linux/sdl_video.h"
#include "platform/win32.h"

int WINAPI ShowCursor(BOOL show) {
    static int displayCount = 0;
    displayCount += show ? 1 : -1;
    if (backend::EnsureVideo()) SDL_ShowCursor(displayCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return displayCount;
}
