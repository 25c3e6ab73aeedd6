// The screen saver's options: where it draws and how, read from an
// xscreensaver hack's arguments or from the command line Windows gives a
// .scr.
//
// Both readers fill a SaverOptions and return true, or return false with a
// one-line reason in `error` (and leave the options at their defaults).
// Neither touches the platform, so they can be tested on their own.
//
//   ParseHackArguments  --root, --window, --window-id ID (decimal or 0x hex),
//                       --fps, --sound, --delay MICROSECONDS, --version,
//                       --help; one or two leading dashes. --window-id wins
//                       over --root; with none of them the saver opens its
//                       own window.
//   ParseScrCommandLine /s, /p HWND, /p:HWND, /c, /c:HWND, or nothing (the
//                       settings); '-' may stand for '/', any case. The
//                       settings values of a .scr live in the registry, so
//                       only the target and the window come from here.
#pragma once

#include <cstdint>
#include <string>

enum class SaverTarget {
    OwnWindow,    // a window of its own (Linux: 1024 x 768)
    Root,         // the window xscreensaver hands over, else the root window
    GivenWindow,  // drawn in a child of the window `windowId`
    CoverScreen,  // Windows /s: a topmost window over the whole screen
    Preview,      // Windows /p: drawn in a child of `windowId`, silent
    Settings,     // Windows /c: the settings dialog, owned by `windowId` if set
};

struct SaverOptions {
    SaverTarget target = SaverTarget::OwnWindow;
    uint64_t windowId = 0;  // the given window; 0 when none was given
    bool showFps = false;
    bool sound = false;
    int32_t delayMicroseconds = 20000;  // slept between frames
    bool showVersion = false;           // --version: print it and end
    bool showHelp = false;              // --help: print the usage and end
};

// The longest pause between frames accepted: ten seconds.
constexpr int32_t kMaxSaverDelayMicroseconds = 10000000;

// The hack's usage text, several lines, for standard error or --help.
const char* HackUsage();

// Linux hack: argv without the program name.
bool ParseHackArguments(int argc, const char* const* argv, SaverOptions& options, std::string& error);

// Windows .scr: the command line without the program name.
bool ParseScrCommandLine(const char* commandLine, SaverOptions& options, std::string& error);

// A window id as xscreensaver and Windows write them: decimal, or hex after
// 0x. False for anything else, for 0 and for values past 64 bits.
bool ParseWindowId(const char* text, uint64_t& id);
