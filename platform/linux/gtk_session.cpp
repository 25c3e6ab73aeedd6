// GTK 3 start-up for the Linux platform layer.
//
// Platform: Linux. Dependencies: GTK 3 (X11 or Wayland, whatever GDK finds).
// Limitations: GTK runs on the program's one thread; once the display is
// found missing it is not looked for again.
#include "platform/linux/gtk_session.h"

#include <gtk/gtk.h>

#include "platform/linux/failure_reason.h"
bool StartGtk() {
    static const bool started = [] {
        // The core formats and reads numbers with the C library; GTK must not
        // switch it to the user's locale (a decimal comma would break them).
        gtk_disable_setlocale();
        GError* error = nullptr;
        if (gtk_init_with_args(nullptr, nullptr, nullptr, nullptr, nullptr, &error) != FALSE) return true;
        backend::ReportFailure("gtk_init_with_args", error != nullptr ? error->message : "cannot open the display");
        if (error != nullptr) g_error_free(error);
        return false;
    }();
    return started;
}

void FlushGtk() {
    while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
    GdkDisplay* display = gdk_display_get_default();
    if (display) gdk_display_flush(display);
}

std::string ToGtkText(const char* ansiText) {
    if (ansiText == nullptr) return std::string();
    gchar* converted = g_convert_with_fallback(ansiText, -1, "UTF-8", "WINDOWS-1252", "?", nullptr, nullptr, nullptr);
    if (converted == nullptr) return std::string();
    std::string text(converted);
    g_free(converted);
    return text;
}
