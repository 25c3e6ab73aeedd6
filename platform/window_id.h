// Turning the number a screen-saver host gives into a window handle.
//
// xscreensaver hands a hack its window as an X window id (--window-id, or
// XSCREENSAVER_WINDOW); Windows hands a .scr its preview window as the HWND
// value written in decimal (/p). WindowFromId gives the HWND for that number,
// or null when it names no window that exists now, so a bad number is
// refused before it is used.
//
//   Windows: the HWND value itself, checked with IsWindow.
//   Linux:   platform/linux/foreign_window.cpp wraps the X window (which the
//            program does not own) in a handle that can be a parent of
//            CreateWindowExA, be measured with GetClientRect and be watched
//            with IsWindow.
//   Fake:    a live fake window with that handle value.
//
// RootWindowId (Linux only) is the number of the whole screen's window, the
// X root window of the default screen, for a hack told to draw on the
// desktop itself; 0 when there is no X display.
#pragma once

#include <cstdint>

#include "platform/win32.h"

#ifdef _WIN32
inline HWND WindowFromId(uint64_t id) {
    HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(id));
    return (id != 0 && static_cast<uint64_t>(reinterpret_cast<uintptr_t>(window)) == id && IsWindow(window))
               ? window
               : nullptr;
}
#else
HWND WindowFromId(uint64_t id);
uint64_t RootWindowId();
#endif
