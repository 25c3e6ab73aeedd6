// What the Linux backend's window and device-context handles point to.
//
// Every HWND is an object derived from HWND__: the GL windows (SDL) and the
// dialogs and their message boxes (GTK) each add their own state. An HDC
// belongs to one window and remembers the GDI object selected into it.
#pragma once

#include "platform/win32.h"

struct HWND__ {
    enum Kind { GLWindowKind, DialogKind, ForeignKind };
    explicit HWND__(Kind windowKind) : kind(windowKind) {}
    virtual ~HWND__() = default;
    HWND__(const HWND__&) = delete;
    HWND__& operator=(const HWND__&) = delete;

    const Kind kind;
};

struct HDC__ {
    HWND window = nullptr;
    HGDIOBJ selectedObject = nullptr;  // the font last selected with SelectObject
    int pixelFormat = 0;               // set by SetPixelFormat, 0 while unset
};
