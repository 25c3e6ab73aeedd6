// Whether there is a screen to show anything on (Linux).
//
// NoScreenReason says why nothing could be shown, naming the display it
// tried ("DISPLAY is not set: ...", "cannot open display :59 (...)"), or is
// empty when a screen is there, or when the video driver named in
// SDL_VIDEODRIVER started (a driver chosen on purpose, screen or not).
// corvane, corvane-saver and corvane-model view ask it before anything else
// and refuse to run when it is not empty, rather than draw where nobody sees.
//
//   Linux: platform/linux/sdl_video.cpp.
//   Windows: not declared; a Windows program always has its desktop.
#pragma once

#ifndef _WIN32
#include <string>

std::string NoScreenReason();
#endif
