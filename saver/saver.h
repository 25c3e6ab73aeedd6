// The screen saver's one entry, shared by the xscreensaver hack on Linux and
// the .scr on Windows.
//
// RunSaver shows the scene where the options say (its own window, a child of
// a given window, or over the whole screen) and runs the saver's life cycle
// until it ends:
//   - no dialog, no launch sound, no welcome wait, no synchronous sound; the
//     alarm loop only with `sound` (never in a preview); the frame-rate line
//     only with `showFps`;
//   - frames whether or not its window is active, `delayMicroseconds` slept
//     between them; none while the display is off, when it waits for
//     messages instead; no F1, no display-mode change, no message boxes;
//   - over the whole screen, one view of the scene per monitor;
//   - never holds off the screen saver: screen-saver and monitor power-off
//     requests go on to the default handling;
//   - ends on WM_QUIT, when the window it draws in (or the given window) is
//     destroyed, on RequestSaverStop(), in its own window on Escape, 'q' or
//     the close button, and over the whole screen on a key, a click, a
//     pointer move of more than kPointerSlackPixels from where the pointer
//     was first seen, or when another program takes the activation.
// Returns the exit status: 0 when the saver ran and ended, 1 when it could
// not start, with the reason in `error` (for example a given window that does
// not exist). The Settings target is not run here: the caller shows its own
// settings.
#pragma once

#include <string>

#include "platform/win32.h"
#include "saver/saver_options.h"

// The own window of the Linux hack.
constexpr int32_t kSaverWindowWidth = 1024;
constexpr int32_t kSaverWindowHeight = 768;
// Pointer moves up to this many pixels (in x and in y) do not end the saver.
constexpr int kPointerSlackPixels = 4;

int RunSaver(HINSTANCE instance, const SaverOptions& options, std::string& error);

// Asks a running saver to end after the current frame, with status 0. Safe to
// call from a signal handler (it only sets a flag).
void RequestSaverStop();
