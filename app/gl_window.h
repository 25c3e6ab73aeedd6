// The OpenGL window: owns the window, its device context and its GL
// rendering context, switches the display mode for full-screen use, sets up
// the perspective projection, keeps the key-down state and produces one frame
// on request. Applications derive from it (through GLApplication) and fill in
// the four scene operations.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/win32.h"

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
    // Viewport and projection for a client area of this size.
    void Resize(int32_t clientWidth, int32_t clientHeight);
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
};
