// Linux backend: the desktop entry a program's windows belong to.
//
// Platform: Linux. Dependencies: SDL2, GTK 3. Docks and task bars find a
// window's desktop entry (its icon and name) by the window's X11 class or
// Wayland app id: the entry's StartupWMClass, or its id. UseDesktopId gives
// every window the program makes from then on, SDL's and GTK's alike, that
// id as X11 class and Wayland app id. Call it before any window exists.
// Limitations: a class set by the user for SDL (SDL_VIDEO_X11_WMCLASS,
// SDL_VIDEO_WAYLAND_WMCLASS) is left as it is; unset, windows are named after
// the executable.
#pragma once

void UseDesktopId(const char* id);
