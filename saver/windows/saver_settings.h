// The Windows screen saver's per-user settings and how stored values become
// settings.
//
// Windows keeps them under HKEY_CURRENT_USER\Software\Corvane as three
// DWORD values: "Sound" and "ShowFps" (0 off, anything else on) and "Delay"
// (microseconds slept between frames). Anybody can edit the registry, so a
// value is never trusted: a missing value, or one of another type, takes its
// default (the saver's own: silent, no frame-rate line, its usual pause); a
// delay read as a signed 32-bit number below 0 becomes 0 and one above the
// saver's longest pause (kMaxSaverDelayMicroseconds) becomes that maximum.
// The settings dialog clamps what the user types the same way.
//
// This header is pure (no Windows calls), so the rule is unit-tested on
// every platform; settings_registry.h does the reading and writing.
#pragma once

#include <cstdint>

#include "saver/saver_options.h"

struct SaverSettings {
    bool sound = SaverOptions{}.sound;
    bool showFps = SaverOptions{}.showFps;  // the frame-rate line
    int32_t delayMicroseconds = SaverOptions{}.delayMicroseconds;
};

// One value as found in the registry: absent (or of another type), or a DWORD.
struct StoredDword {
    bool present = false;
    uint32_t value = 0;
};

inline int32_t ClampDelayMicroseconds(int64_t delay) {
    if (delay < 0) return 0;
    if (delay > kMaxSaverDelayMicroseconds) return kMaxSaverDelayMicroseconds;
    return static_cast<int32_t>(delay);
}

// The settings the saver runs with, from the three stored values.
inline SaverSettings SaverSettingsFromStored(StoredDword sound, StoredDword showFps, StoredDword delay) {
    SaverSettings settings;
    if (sound.present) settings.sound = sound.value != 0;
    if (showFps.present) settings.showFps = showFps.value != 0;
    // A DWORD written as -1 by a tool means "negative", not four billion.
    if (delay.present) settings.delayMicroseconds = ClampDelayMicroseconds(static_cast<int32_t>(delay.value));
    return settings;
}
