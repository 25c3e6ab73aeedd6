// The scene as a screen saver: SceneApplication with the saver's message
// handling instead of the program's.
//
// Unlike GLApplication it keeps drawing whether or not its window is active,
// has no F1 rebuild, and lets screen-saver and monitor power-off requests go
// on to the default handling, so it never holds off the screen saver it is.
// Which input ends it depends on where it draws (SaverTarget): in its own
// window Escape, 'q' and the close button; over the whole screen any key, any
// click and a pointer move past the slack; in a given window nothing (the
// host ends it). It also ends when its window is destroyed.
#pragma once

#include "saver/saver_options.h"
#include "scene/scene_application.h"

class SaverApplication : public SceneApplication {
public:
    explicit SaverApplication(SaverTarget where) : target(where) {}

    int32_t HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    // Makes the child window fill the given window's client area again after
    // that window changed size. False when the given window is gone.
    bool FollowParent(HWND parent);

private:
    void EndOnPointerMove(LPARAM position);

    SaverTarget target;
    bool pointerSeen = false;
    int pointerX = 0;
    int pointerY = 0;
};
