// A window of a given client size with a current OpenGL context, made only
// through the Win32 calls the program itself uses, so the same GL tests run
// on the Linux backend and on Windows (or Wine).
#pragma once

#include "platform/win32.h"

class GLTestContext {
public:
    explicit GLTestContext(int width = 256, int height = 256);
    ~GLTestContext();
    GLTestContext(const GLTestContext&) = delete;
    GLTestContext& operator=(const GLTestContext&) = delete;

    // True when the window exists and its GL context is current.
    bool Ok() const;
    HWND Window() const;
    HDC DeviceContext() const;

private:
    char className[32] = {};
    HINSTANCE instance = nullptr;
    bool classRegistered = false;
    HWND window = nullptr;
    HDC deviceContext = nullptr;
    HGLRC renderContext = nullptr;
    bool current = false;
};
