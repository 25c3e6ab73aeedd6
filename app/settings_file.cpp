#include "app/settings_file.h"

#include <cctype>
#include <cstdint>
#include <cstdio>

namespace {

// One decimal integer as "%d" reads it (white space, an optional sign,
// digits), but saturating instead of overflowing.
bool ReadInteger(std::FILE* file, int32_t& value) {
    int c = std::fgetc(file);
    while (c != EOF && std::isspace(c)) c = std::fgetc(file);
    bool negative = false;
    if (c == '-' || c == '+') {
        negative = c == '-';
        c = std::fgetc(file);
    }
    if (c == EOF || !std::isdigit(c)) return false;
    const int64_t limit = negative ? -static_cast<int64_t>(INT32_MIN) : INT32_MAX;
    int64_t magnitude = 0;
    while (c != EOF && std::isdigit(c)) {
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit) magnitude = limit;
        c = std::fgetc(file);
    }
    if (c != EOF) std::ungetc(c, file);
    value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    return true;
}

}  // namespace

bool ReadSettingsFile(const char* path, Settings& settings) {
    std::FILE* file = std::fopen(path, "r");
    if (!file) return false;
    // The flags start from their current values so that a short file leaves
    // them as they were.
    int32_t values[5] = {settings.width, settings.height, settings.bits, settings.fullscreen ? 1 : 0,
                         settings.sound ? 1 : 0};
    for (int32_t& value : values)
        if (!ReadInteger(file, value)) break;
    std::fclose(file);
    settings.width = values[0];
    settings.height = values[1];
    settings.bits = values[2];
    settings.fullscreen = values[3] == 1;
    settings.sound = values[4] == 1;
    return true;
}
