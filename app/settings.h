// The start-up settings: built-in defaults, the optional settings file
// "corvane.cfg" and, last, the settings dialog, whose choices replace all five.
#pragma once

#include <cstdint>

struct Settings {
    int32_t width;
    int32_t height;
    int32_t bits;
    bool fullscreen;
    bool sound;
};
