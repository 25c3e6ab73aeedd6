// EnumDisplayMonitors and GetMonitorInfoA over a list of monitors, shared by
// the Linux backend (the list comes from SDL's displays) and the fake (the
// list a test sets).
//
// As on Windows: rectangles are in virtual-screen coordinates; the callback
// gets each monitor's whole rectangle, in list order, and ends the
// enumeration by returning FALSE (EnumDisplayMonitors then returns FALSE); a
// clipping rectangle skips the monitors it does not overlap. A monitor's
// handle is its position in the list plus one. Limitation: only the screen
// is enumerated; with a device context EnumDisplayMonitors returns FALSE.
#pragma once

#include <vector>

#include "platform/win32.h"

struct MonitorEntry {
    RECT monitor;
    RECT work;  // the monitor less the task bars and docks
    bool primary;
};

BOOL EnumerateMonitors(const std::vector<MonitorEntry>& monitors, HDC dc, LPCRECT clip, MONITORENUMPROC callback,
                       LPARAM data);

// FALSE for a handle naming no monitor of the list, a null `info` or a
// cbSize other than sizeof(MONITORINFO).
BOOL DescribeMonitor(const std::vector<MonitorEntry>& monitors, HMONITOR monitor, LPMONITORINFO info);
