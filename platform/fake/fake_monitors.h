// Scripting the fake monitors and the display's power state.
//
// Platform: none (unit tests). The monitor layout is what EnumDisplayMonitors
// and GetMonitorInfoA report and what GetSystemMetrics gives as the virtual
// screen (the rectangle around every monitor); after Reset it is one
// 1920 x 1080 primary monitor at the origin.
//
// The display state is what GUID_CONSOLE_DISPLAY_STATE reports: 1 (on) after
// Reset. As on Windows, a window that registers for it is sent the current
// state at once, and every change is sent to each registered window as
// WM_POWERBROADCAST / PBT_POWERSETTINGCHANGE.
#pragma once

#include <functional>
#include <vector>

#include "platform/win32.h"

namespace fake {

struct FakeMonitor {
    RECT rect;  // virtual-screen coordinates; the primary one starts at 0, 0
    bool primary;
};

void SetMonitors(const std::vector<FakeMonitor>& monitors);
// A monitor plugged in or out while a program runs: the new layout, then
// WM_DISPLAYCHANGE (32 bits per pixel, the primary monitor's size) sent to
// the most recently created window if it is still alive, as Windows
// broadcasts it to the top-level windows.
void ChangeMonitors(const std::vector<FakeMonitor>& monitors);
// The rectangle around every monitor.
RECT VirtualScreen();

// 0 off, 1 on, 2 dimmed.
void SetDisplayState(BYTE state);
// Registrations made and not yet taken back.
int LivePowerNotificationCount();

}  // namespace fake
