// The application layer over GLWindow: follows activation, focus and size
// messages, quits on Escape, swallows screen-saver and monitor power-off
// requests, and rebuilds the window in the other display mode on F1.
#pragma once

#include "shell/gl_window.h"

class GLApplication : public GLWindow {
public:
    int32_t HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Told whenever a message switches `active`, with the new value.
    virtual void OnActivate(bool isActive);

private:
    // Scene Shutdown, DestroyDisplay, CreateDisplay in the other mode, scene
    // Init. False when the new display could not be created.
    bool RebuildDisplay();
    void SetActive(bool isActive);
};
