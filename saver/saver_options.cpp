// Reading the saver's options; see saver_options.h.
#include "saver/saver_options.h"

#include <cctype>
#include <cstring>
#include <string>

namespace {

// Parses a whole string of digits in the given base; false on anything else
// (signs, spaces, an empty string) and on overflow past 64 bits.
bool ParseDigits(const char* text, int base, uint64_t& value) {
    if (*text == '\0') return false;
    uint64_t result = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        int digit = 0;
        const unsigned char c = static_cast<unsigned char>(*p);
        if (std::isdigit(c)) {
            digit = c - '0';
        } else if (base == 16 && std::isxdigit(c)) {
            digit = std::tolower(c) - 'a' + 10;
        } else {
            return false;
        }
        if (result > (UINT64_MAX - static_cast<uint64_t>(digit)) / static_cast<uint64_t>(base)) return false;
        result = result * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    }
    value = result;
    return true;
}

bool ParseDelay(const char* text, int32_t& delay) {
    uint64_t value = 0;
    if (!ParseDigits(text, 10, value) || value > static_cast<uint64_t>(kMaxSaverDelayMicroseconds)) return false;
    delay = static_cast<int32_t>(value);
    return true;
}

// "--name" and "-name" both give "name"; anything else gives null.
const char* SwitchName(const char* argument) {
    if (argument[0] != '-') return nullptr;
    const char* name = argument + 1;
    if (*name == '-') ++name;
    return *name != '\0' ? name : nullptr;
}

}  // namespace

const char* HackUsage() {
    static const std::string usage =
        "usage: corvane-saver [--root | --window | --window-id ID] [--fps] [--sound]\n"
        "                     [--delay MICROSECONDS] [--version] [--help]\n"
        "  --root            draw in the window in XSCREENSAVER_WINDOW, else the root window\n"
        "  --window          draw in a window of its own, 1024 x 768 (the default)\n"
        "  --window-id ID    draw in the window ID (decimal or 0x hex); wins over --root\n"
        "  --fps             show the frame rate\n"
        "  --sound           play the alarm loop\n"
        "  --delay N         microseconds to wait between frames (default 20000, at most " +
        std::to_string(kMaxSaverDelayMicroseconds) +
        ")\n"
        "Options take one or two leading dashes.\n";
    return usage.c_str();
}

bool ParseWindowId(const char* text, uint64_t& id) {
    if (text == nullptr) return false;
    uint64_t value = 0;
    const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    if (!ParseDigits(hex ? text + 2 : text, hex ? 16 : 10, value) || value == 0) return false;
    id = value;
    return true;
}

bool ParseHackArguments(int argc, const char* const* argv, SaverOptions& options, std::string& error) {
    SaverOptions parsed;
    bool root = false;
    bool given = false;
    for (int i = 0; i < argc; ++i) {
        const char* argument = argv[i] != nullptr ? argv[i] : "";
        const char* name = SwitchName(argument);
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (name == nullptr) {
            error = std::string("unexpected argument '") + argument + "'";
            return false;
        }
        if (std::strcmp(name, "root") == 0) {
            root = true;
        } else if (std::strcmp(name, "window") == 0) {
            root = false;
        } else if (std::strcmp(name, "window-id") == 0) {
            if (value == nullptr || !ParseWindowId(value, parsed.windowId)) {
                error = std::string("--window-id needs a window id (decimal or 0x hex), not '") +
                        (value ? value : "") + "'";
                return false;
            }
            given = true;
            ++i;
        } else if (std::strcmp(name, "fps") == 0) {
            parsed.showFps = true;
        } else if (std::strcmp(name, "sound") == 0) {
            parsed.sound = true;
        } else if (std::strcmp(name, "delay") == 0) {
            if (value == nullptr || !ParseDelay(value, parsed.delayMicroseconds)) {
                error = "--delay needs a number of microseconds from 0 to " +
                        std::to_string(kMaxSaverDelayMicroseconds) + ", not '" + (value ? value : "") + "'";
                return false;
            }
            ++i;
        } else if (std::strcmp(name, "version") == 0) {
            parsed.showVersion = true;
        } else if (std::strcmp(name, "help") == 0 || std::strcmp(name, "h") == 0) {
            parsed.showHelp = true;
        } else {
            error = std::string("unknown option '") + argument + "'";
            return false;
        }
    }
    parsed.target = given ? SaverTarget::GivenWindow : root ? SaverTarget::Root : SaverTarget::OwnWindow;
    options = parsed;
    return true;
}

bool ParseScrCommandLine(const char* commandLine, SaverOptions& options, std::string& error) {
    const char* p = commandLine != nullptr ? commandLine : "";
    while (*p == ' ' || *p == '\t') ++p;
    SaverOptions parsed;
    if (*p == '\0') {
        parsed.target = SaverTarget::Settings;
        options = parsed;
        return true;
    }
    if ((*p != '/' && *p != '-') || p[1] == '\0') {
        error = std::string("unknown command line '") + commandLine + "'";
        return false;
    }
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(p[1])));
    const char* rest = p + 2;
    // The window follows after a colon or white space.
    if (*rest == ':') ++rest;
    while (*rest == ' ' || *rest == '\t') ++rest;
    std::string argument(rest);
    while (!argument.empty() && (argument.back() == ' ' || argument.back() == '\t')) argument.pop_back();

    switch (letter) {
    case 's':
        parsed.target = SaverTarget::CoverScreen;
        break;
    case 'p':
        parsed.target = SaverTarget::Preview;
        if (!ParseWindowId(argument.c_str(), parsed.windowId)) {
            error = "/p needs the handle of the preview window, not '" + argument + "'";
            return false;
        }
        argument.clear();
        break;
    case 'c':
        parsed.target = SaverTarget::Settings;
        // Windows names the owner of the settings; without one they stand alone.
        if (!argument.empty() && !ParseWindowId(argument.c_str(), parsed.windowId)) {
            error = "/c takes the handle of its owner window, not '" + argument + "'";
            return false;
        }
        argument.clear();
        break;
    default:
        error = std::string("unknown command line '") + commandLine + "'";
        return false;
    }
    // "/s" as Windows passes it: anything after the letter but spaces is wrong.
    if (letter == 's' && (p[2] != '\0' && p[2] != ' ' && p[2] != '\t')) {
        error = std::string("unknown command line '") + commandLine + "'";
        return false;
    }
    options = parsed;
    return true;
}
