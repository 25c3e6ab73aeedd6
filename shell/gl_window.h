// The OpenGL window: owns the window, its device context and its GL
// rendering context, switches the display mode for full-screen use, sets up
// the perspective projection, keeps the key-down state and produces one frame
// on request. Applications derive from it (through GLApplication) and fill in
// the four scene operations.
//
// Besides its own window (CreateDisplay), it can draw into a window it is
// given (CreateChildDisplay: a child filling the given window's client area,
// which never takes the foreground or the focus) or over the whole virtual
// screen in the current display mode with the cursor hidden
// (CreateCoverDisplay). Those two never change the display mode and never
// show a message box: a screen saver must not stop for one. Their failures,
// like every failure while SetQuiet(true) holds, are only told by
// DisplayError().
#pragma once

#include <cstdint>
#include <memory>

#include "platform/win32.h"

// The virtual screen (every monitor) in its own coordinates, as the system
// metrics give it now; empty while a display is being reconfigured.
RECT VirtualScreen();

class GLWindow {
public:
    static constexpr int kKeyCount = 512;
    static constexpr int kTitleSize = 256;  // 255 characters and the terminating zero

    GLWindow() = default;
    GLWindow(const GLWindow&) = delete;
    GLWindow& operator=(const GLWindow&) = delete;

    // Enters the object into the window registry, keeps a copy of `text` and
    // clears the keys. The first operation called on a new object.
    virtual void Register(HINSTANCE moduleInstance, const char* text);
    // Leaves the window registry and tears the display down.
    virtual ~GLWindow();

    // The scene operations; these defaults do nothing and succeed.
    virtual bool Init();
    virtual bool Shutdown();
    virtual bool Update();
    virtual bool Draw();

    // 0: handled, skip the default handling; anything else: go on to it.
    virtual int32_t HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Creates the window with a current GL context and shows it; every
    // failure is reported in a message box and returns false.
    bool CreateDisplay(const char* newTitle, int32_t newWidth, int32_t newHeight, int32_t newBits,
                       bool newFullscreen, float newFieldOfView, float newNear, float newFar);
    // Releases what CreateDisplay made and restores the display mode; safe
    // in any state.
    void DestroyDisplay();
    // A child window of `parent` filling its client area, with a current GL
    // context; false when `parent` is gone or any step fails.
    bool CreateChildDisplay(const char* newTitle, HWND parent, int32_t newBits, float newFieldOfView,
                            float newNear, float newFar);
    // A topmost borderless window over the whole virtual screen in the
    // current display mode, cursor hidden until DestroyDisplay.
    bool CreateCoverDisplay(const char* newTitle, int32_t newBits, float newFieldOfView, float newNear,
                            float newFar);
    // Quiet: failures are kept for DisplayError instead of shown.
    void SetQuiet(bool isQuiet) { quiet = isQuiet; }
    // Why the last display creation failed, or an empty text.
    const char* DisplayError() const { return displayError; }
    // Viewport and projection for a client area of this size.
    void Resize(int32_t clientWidth, int32_t clientHeight);
    // Viewport and projection for a part of the client area: its lower-left
    // corner in GL's window coordinates (y counts up from the bottom) and its
    // size; a height of 0 counts as 1.
    void SetView(int32_t left, int32_t bottom, int32_t viewWidth, int32_t viewHeight);
    // One frame: Update, Draw, swap; false as soon as a step fails.
    bool Tick();

    bool IsActive() const { return active; }
    HWND GetHandle() const { return window; }

protected:
    int32_t registryIndex = -1;
    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    HDC deviceContext = nullptr;
    HGLRC renderContext = nullptr;
    std::unique_ptr<char[]> commandLine;
    bool fullscreen = false;
    bool active = false;
    bool keys[kKeyCount] = {};
    int32_t width = 0;
    int32_t height = 0;
    char title[kTitleSize] = {};
    float fieldOfView = 0.0f;
    float zNear = 0.0f;
    float zFar = 0.0f;
    int32_t bits = 0;

private:
    void CopyTitle(const char* text);
    void StoreView(int32_t newBits, float newFieldOfView, float newNear, float newFar);
    bool RegisterWindowClass();
    // Device context, pixel format and a current GL context for the window
    // just created; false (after tearing down and reporting) when `window` is
    // empty or any step fails.
    bool CreateContext();
    // The steps after the window: null on success, else the reason (the
    // display is then torn down).
    const char* CreatePixelFormatAndContext();
    bool Fail(const char* text);
    // The last steps of every creation: show the window and give it the
    // foreground and the focus when asked, set `active` and the projection.
    bool Start(bool takeForeground);
    void ReportShutdownError(const char* text);

    bool quiet = false;
    bool cursorHidden = false;  // by CreateCoverDisplay
    const char* displayError = "";
};

// The registered object whose window is `window` (the one at the highest
// position of the window registry if several match), or null.
GLWindow* FindWindowObject(HWND window);

// The window procedure of the "OpenGL" window class: the message goes to the
// object that owns the window; when there is none, or its handler answers
// non-zero, to the default handling.
LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
