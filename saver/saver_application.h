// The scene as a screen saver: SceneApplication with the saver's message
// handling instead of the program's.
//
// Unlike GLApplication it keeps drawing whether or not its window is active,
// has no F1 rebuild, and lets screen-saver and monitor power-off requests go
// on to the default handling, so it never holds off the screen saver it is.
// Which input ends it depends on where it draws (SaverTarget): in its own
// window Escape, 'q' and the close button; over the whole screen any key, any
// click, a pointer move past the slack and the loss of the activation to
// another program (WM_ACTIVATEAPP false), as the system's own screen savers
// end; in a given window nothing (the host ends it). It also ends when its
// window is destroyed.
//
// Over the whole screen with more than one monitor it shows one view per
// monitor: the same scene time drawn once in each monitor's rectangle, with
// that monitor's aspect ratio, and the frame-rate line once, on the primary
// monitor. With one monitor it draws exactly as SceneApplication does. A
// monitor plugged in or out while it runs (WM_DISPLAYCHANGE) moves the window
// over the new virtual screen and lays the views out again.
//
// Once ListenToDisplay has run it follows the display's power state
// (GUID_CONSOLE_DISPLAY_STATE): DisplayOff() tells the frame loop to stop
// drawing while the display is off; dimmed counts as on.
#pragma once

#include <vector>

#include "saver/saver_options.h"
#include "scene/scene_application.h"

class SaverApplication : public SceneApplication {
public:
    explicit SaverApplication(SaverTarget where) : target(where) {}
    // Stops listening to the display state before the window goes.
    ~SaverApplication() override;

    int32_t HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    bool Draw() override;

    // Makes the child window fill the given window's client area again after
    // that window changed size. False when the given window is gone.
    bool FollowParent(HWND parent);

    // After CreateCoverDisplay: one view per monitor when there are several.
    // Read again on every WM_DISPLAYCHANGE, when the window also moves over
    // the new virtual screen.
    void ViewEachMonitor();
    // The views for these monitors (rcMonitor and the primary flag, in
    // virtual-screen coordinates), the window's client area starting at
    // `origin`; fewer than two give the one view of the whole window.
    void ViewMonitors(const std::vector<MONITORINFO>& monitors, POINT origin);
    // Asks to be told when the display goes off and on; harmless when the
    // system cannot tell (the display then stays on).
    void ListenToDisplay();
    bool DisplayOff() const { return displayOff; }

private:
    // A monitor's rectangle in client coordinates (y counts down).
    struct MonitorView {
        int32_t left;
        int32_t top;
        int32_t width;
        int32_t height;
        bool primary;
    };

    void EndOnPointerMove(LPARAM position);
    void CoverMonitorsAgain();
    void FollowPowerSetting(LPARAM setting);

    SaverTarget target;
    bool pointerSeen = false;
    int pointerX = 0;
    int pointerY = 0;
    std::vector<MonitorView> views;
    HPOWERNOTIFY displayNotification = nullptr;
    bool displayOff = false;
};
