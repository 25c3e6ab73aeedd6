// Linux backend: power-setting notifications.
//
// Platform: Linux. Dependencies: SDL2. RegisterPowerSettingNotification
// accepts a live window and a setting, as Windows does, and hands out a
// handle that UnregisterPowerSettingNotification takes back once.
// Limitation: nothing here learns the display's power state (X offers no
// portable notice of it), so no WM_POWERBROADCAST is ever sent: to its
// listeners the display is always on.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/linux/window_object.h"

namespace {

std::vector<uintptr_t> registrations;
uintptr_t lastRegistration = 0;

}  // namespace

HPOWERNOTIFY WINAPI RegisterPowerSettingNotification(HANDLE recipient, LPCGUID setting, DWORD flags) {
    if (setting == nullptr || flags != DEVICE_NOTIFY_WINDOW_HANDLE ||
        backend::FindWindowObject(static_cast<HWND>(recipient)) == nullptr)
        return nullptr;
    registrations.push_back(++lastRegistration);
    return reinterpret_cast<HPOWERNOTIFY>(lastRegistration);
}

BOOL WINAPI UnregisterPowerSettingNotification(HPOWERNOTIFY notification) {
    const auto it =
        std::find(registrations.begin(), registrations.end(), reinterpret_cast<uintptr_t>(notification));
    if (it == registrations.end()) return FALSE;
    registrations.erase(it);
    return TRUE;
}
