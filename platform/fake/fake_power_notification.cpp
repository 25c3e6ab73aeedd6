// The fake display power state and its notifications; see fake_monitors.h.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <map>

#include "platform/fake/fake_monitors.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_queue.h"
#include "platform/fake/fake_window.h"

namespace fake {
namespace {

struct PowerState {
    BYTE display = 1;
    std::map<uintptr_t, HWND> registrations;  // handle → window told
    uintptr_t nextHandle = 0x7000;
};

PowerState& ThePower() {
    static PowerState state;
    return state;
}

const bool registered = (AddResetHook([] { ThePower() = PowerState(); }), true);

// The setting as Windows sends it: the record with a DWORD for its data.
void Tell(HWND window) {
    constexpr size_t kDataAt = offsetof(POWERBROADCAST_SETTING, Data);
    alignas(POWERBROADCAST_SETTING) BYTE buffer[kDataAt + sizeof(DWORD) + sizeof(POWERBROADCAST_SETTING)] = {};
    POWERBROADCAST_SETTING* setting = new (buffer) POWERBROADCAST_SETTING{};
    setting->PowerSetting = GUID_CONSOLE_DISPLAY_STATE;
    setting->DataLength = sizeof(DWORD);
    const DWORD state = ThePower().display;
    std::memcpy(buffer + kDataAt, &state, sizeof state);
    SendToWindow(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(setting));
}

}  // namespace

void SetDisplayState(BYTE state) {
    ThePower().display = state;
    // A copy: a window may take its registration back while it is told.
    const std::map<uintptr_t, HWND> listeners = ThePower().registrations;
    for (const auto& [handle, window] : listeners) Tell(window);
}

int LivePowerNotificationCount() { return static_cast<int>(ThePower().registrations.size()); }

}  // namespace fake

HPOWERNOTIFY WINAPI RegisterPowerSettingNotification(HANDLE recipient, LPCGUID setting, DWORD flags) {
    HWND window = static_cast<HWND>(recipient);
    if (fake::ShouldFail("RegisterPowerSettingNotification") || setting == nullptr ||
        flags != DEVICE_NOTIFY_WINDOW_HANDLE || fake::FindWindowState(window) == nullptr)
        return nullptr;
    const uintptr_t handle = fake::ThePower().nextHandle++;
    fake::ThePower().registrations[handle] = window;
    fake::Tell(window);  // Windows sends the current state at once
    return reinterpret_cast<HPOWERNOTIFY>(handle);
}

BOOL WINAPI UnregisterPowerSettingNotification(HPOWERNOTIFY notification) {
    return fake::ThePower().registrations.erase(reinterpret_cast<uintptr_t>(notification)) == 1 ? TRUE : FALSE;
}
