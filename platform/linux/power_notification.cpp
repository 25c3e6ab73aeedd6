// Linux backend: power-setting notifications and waiting for a message.
//
// Platform: Linux. Dependencies: SDL2. RegisterPowerSettingNotification
// accepts a live window and a setting, as Windows does, and hands out a
// handle that UnregisterPowerSettingNotification takes back once.
// Limitation: nothing here learns the display's power state (X offers no
// portable notice of it), so no WM_POWERBROADCAST is ever sent: to its
// listeners the display is always on.
//
// WaitMessage returns at once when a message is waiting, else after SDL's
// event wait (which blocks on the X connection) has handed one event on;
// that event may have been sent straight to a window procedure and queued
// nothing, so callers look at their state and wait again, as they would
// after a sent message on Windows. FALSE when there is no display to wait on.
#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/linux/failure_reason.h"
#include "platform/linux/sdl_video.h"
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

BOOL WINAPI WaitMessage(void) {
    MSG waiting;
    if (PeekMessageA(&waiting, nullptr, 0, 0, PM_NOREMOVE)) return TRUE;
    if (!backend::EnsureVideo()) return FALSE;
    SDL_Event event;
    if (!SDL_WaitEvent(&event)) {
        backend::ReportSdlFailure("SDL_WaitEvent");
        return FALSE;
    }
    backend::TranslateSdlEvent(event);
    return TRUE;
}
