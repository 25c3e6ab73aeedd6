// A window of a given client size and style with a current OpenGL context
// (double-buffered, a 16-bit depth buffer, the colour depth asked for), made
// only through the Win32 calls the program itself uses, so the same GL tests
// run on the Linux backend and on Windows (or Wine). Going away, it checks
// that the context and the device context let go.
#pragma once

#include "contract/message_log.h"
#include "platform/win32.h"

class GLTestContext {
public:
    explicit GLTestContext(int width = 256, int height = 256,
                           DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, BYTE colourBits = 32);
    ~GLTestContext();
    GLTestContext(const GLTestContext&) = delete;
    GLTestContext& operator=(const GLTestContext&) = delete;

    // True when the window exists and its GL context is current.
    bool Ok() const { return current; }
    HWND Window() const { return window.Handle(); }
    HDC DeviceContext() const { return deviceContext; }

private:
    LoggedWindow window;
    HDC deviceContext = nullptr;
    HGLRC renderContext = nullptr;
    bool current = false;
};
