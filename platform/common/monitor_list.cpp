// Monitor enumeration over a list; see monitor_list.h.
#include "platform/common/monitor_list.h"

#include <cstdint>

namespace {

bool Overlap(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

BOOL EnumerateMonitors(const std::vector<MonitorEntry>& monitors, HDC dc, LPCRECT clip, MONITORENUMPROC callback,
                       LPARAM data) {
    if (dc != nullptr || callback == nullptr) return FALSE;
    for (size_t i = 0; i < monitors.size(); ++i) {
        if (clip != nullptr && !Overlap(*clip, monitors[i].monitor)) continue;
        RECT rect = monitors[i].monitor;  // the callback may write to its copy
        HMONITOR handle = reinterpret_cast<HMONITOR>(static_cast<uintptr_t>(i + 1));
        if (!callback(handle, nullptr, &rect, data)) return FALSE;
    }
    return TRUE;
}

BOOL DescribeMonitor(const std::vector<MonitorEntry>& monitors, HMONITOR monitor, LPMONITORINFO info) {
    const uintptr_t number = reinterpret_cast<uintptr_t>(monitor);
    if (info == nullptr || info->cbSize != sizeof(MONITORINFO) || number == 0 || number > monitors.size())
        return FALSE;
    const MonitorEntry& entry = monitors[number - 1];
    info->rcMonitor = entry.monitor;
    info->rcWork = entry.work;
    info->dwFlags = entry.primary ? MONITORINFOF_PRIMARY : 0;
    return TRUE;
}
