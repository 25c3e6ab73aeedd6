// Linux backend: the desktop entry a program's windows belong to
// (desktop_id.h).
#include "platform/linux/desktop_id.h"

#include <gtk/gtk.h>

#include <cstdlib>

void UseDesktopId(const char* id) {
    // SDL reads its class when its video starts, for X11 and Wayland.
    if (std::getenv("SDL_VIDEO_X11_WMCLASS") == nullptr && std::getenv("SDL_VIDEO_WAYLAND_WMCLASS") == nullptr) {
        setenv("SDL_VIDEO_X11_WMCLASS", id, 1);
        setenv("SDL_VIDEO_WAYLAND_WMCLASS", id, 1);
    }
    // GTK: the program name is the Wayland app id and the X11 instance name;
    // the class would be it capitalised unless set.
    g_set_prgname(id);
    gdk_set_program_class(id);
}
