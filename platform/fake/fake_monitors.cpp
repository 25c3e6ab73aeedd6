// The fake monitor layout; see fake_monitors.h.
#include <algorithm>

#include "platform/common/monitor_list.h"
#include "platform/fake/fake_monitors.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_queue.h"
#include "platform/fake/fake_window.h"

namespace fake {
namespace {

const std::vector<MonitorEntry> kOneMonitor = {{{0, 0, 1920, 1080}, {0, 0, 1920, 1080}, true}};

std::vector<MonitorEntry>& Layout() {
    static std::vector<MonitorEntry> layout = kOneMonitor;
    return layout;
}

const bool registered = (AddResetHook([] { Layout() = kOneMonitor; }), true);

}  // namespace

void SetMonitors(const std::vector<FakeMonitor>& monitors) {
    Layout().clear();
    for (const FakeMonitor& monitor : monitors) Layout().push_back(MonitorEntry{monitor.rect, monitor.rect, monitor.primary});
}

void ChangeMonitors(const std::vector<FakeMonitor>& monitors) {
    SetMonitors(monitors);
    RECT primary = {0, 0, 0, 0};
    for (const FakeMonitor& monitor : monitors)
        if (monitor.primary) primary = monitor.rect;
    const HWND window = LastCreatedWindow();
    if (FindWindowState(window) == nullptr) return;
    SendToWindow(window, WM_DISPLAYCHANGE, 32, MAKELPARAM(primary.right - primary.left, primary.bottom - primary.top));
}

RECT VirtualScreen() {
    const std::vector<MonitorEntry>& layout = Layout();
    if (layout.empty()) return RECT{0, 0, 0, 0};
    RECT around = layout.front().monitor;
    for (const MonitorEntry& entry : layout) {
        around.left = std::min(around.left, entry.monitor.left);
        around.top = std::min(around.top, entry.monitor.top);
        around.right = std::max(around.right, entry.monitor.right);
        around.bottom = std::max(around.bottom, entry.monitor.bottom);
    }
    return around;
}

}  // namespace fake

BOOL WINAPI EnumDisplayMonitors(HDC dc, LPCRECT clip, MONITORENUMPROC callback, LPARAM data) {
    if (fake::ShouldFail("EnumDisplayMonitors")) return FALSE;
    return EnumerateMonitors(fake::Layout(), dc, clip, callback, data);
}

BOOL WINAPI GetMonitorInfoA(HMONITOR monitor, LPMONITORINFO info) {
    if (fake::ShouldFail("GetMonitorInfoA")) return FALSE;
    return DescribeMonitor(fake::Layout(), monitor, info);
}
