// The saver's message handling; see saver_application.h.
#include "saver/saver_application.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "saver/saver.h"

namespace {

constexpr WPARAM kKeyQ = 'Q';
constexpr DWORD kDisplayOff = 0;  // GUID_CONSOLE_DISPLAY_STATE: 0 off, 1 on, 2 dimmed

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info;
    std::memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info)) reinterpret_cast<std::vector<MONITORINFO>*>(data)->push_back(info);
    return TRUE;
}

}  // namespace

SaverApplication::~SaverApplication() {
    if (displayNotification) UnregisterPowerSettingNotification(displayNotification);
}

int32_t SaverApplication::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        width = LOWORD(lParam);
        height = HIWORD(lParam);
        Resize(width, height);
        break;
    case WM_DESTROY:
        // Also when the given window goes and takes its children with it.
        PostQuitMessage(0);
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (target == SaverTarget::CoverScreen ||
            (target == SaverTarget::OwnWindow && (wParam == VK_ESCAPE || wParam == kKeyQ)))
            PostQuitMessage(0);
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (target == SaverTarget::CoverScreen) PostQuitMessage(0);
        break;
    case WM_MOUSEMOVE:
        if (target == SaverTarget::CoverScreen) EndOnPointerMove(lParam);
        break;
    case WM_ACTIVATEAPP:
        // Another program took the activation: whatever it shows must not
        // stay hidden behind a topmost saver.
        if (target == SaverTarget::CoverScreen && wParam == FALSE) PostQuitMessage(0);
        break;
    case WM_POWERBROADCAST:
        if (wParam == PBT_POWERSETTINGCHANGE) FollowPowerSetting(lParam);
        break;
    case WM_DISPLAYCHANGE:
        // A monitor came, went or changed its mode: cover the new virtual
        // screen and lay the views out again.
        if (target == SaverTarget::CoverScreen) CoverMonitorsAgain();
        break;
    default:
        // Activation, focus and system commands (screen saver, monitor power)
        // change nothing here and go on to the default handling.
        break;
    }
    return GLWindow::HandleMessage(hwnd, message, wParam, lParam);
}

void SaverApplication::EndOnPointerMove(LPARAM position) {
    // Client coordinates, signed: the window may start left of the primary display.
    const int x = static_cast<int16_t>(LOWORD(position));
    const int y = static_cast<int16_t>(HIWORD(position));
    if (!pointerSeen) {
        pointerSeen = true;
        pointerX = x;
        pointerY = y;
        return;
    }
    if (std::abs(x - pointerX) > kPointerSlackPixels || std::abs(y - pointerY) > kPointerSlackPixels)
        PostQuitMessage(0);
}

bool SaverApplication::FollowParent(HWND parent) {
    RECT client = {0, 0, 0, 0};
    if (!IsWindow(parent) || !GetClientRect(parent, &client)) return false;
    const int32_t clientWidth = client.right - client.left;
    const int32_t clientHeight = client.bottom - client.top;
    // MoveWindow reports the new size with WM_SIZE, which resizes the view.
    if (window && (clientWidth != width || clientHeight != height))
        MoveWindow(window, 0, 0, clientWidth, clientHeight, TRUE);
    return true;
}

void SaverApplication::CoverMonitorsAgain() {
    if (!window) return;
    const RECT screen = VirtualScreen();
    // A display being reconfigured can report no screen for a moment; the
    // next WM_DISPLAYCHANGE brings the settled one.
    if (screen.right <= screen.left || screen.bottom <= screen.top) return;
    // A popup has no frame: the window and its client area are the same.
    // MoveWindow reports a new size with WM_SIZE, which stores it.
    // With one view left, the next frame's Update sets the whole window's
    // projection again.
    MoveWindow(window, screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top, TRUE);
    ViewEachMonitor();
}

void SaverApplication::ViewEachMonitor() {
    std::vector<MONITORINFO> found;
    if (!EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&found))) found.clear();
    // The window lies over the virtual screen, so its client origin is there.
    const RECT screen = VirtualScreen();
    ViewMonitors(found, POINT{screen.left, screen.top});
}

void SaverApplication::ViewMonitors(const std::vector<MONITORINFO>& monitors, POINT origin) {
    views.clear();
    for (const MONITORINFO& info : monitors) {
        const RECT& rect = info.rcMonitor;
        if (rect.right <= rect.left || rect.bottom <= rect.top) continue;
        views.push_back(MonitorView{rect.left - origin.x, rect.top - origin.y, rect.right - rect.left,
                                    rect.bottom - rect.top, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    }
    if (views.size() < 2) views.clear();  // one view, the window's own
}

bool SaverApplication::Draw() {
    if (views.empty()) return SceneApplication::Draw();
    // Black where no monitor shows (monitors of different sizes leave
    // corners of the virtual screen uncovered); each view clears only its own
    // rectangle, inside the scissor box.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    const MonitorView* lineView = &views.front();
    for (const MonitorView& view : views) {
        const int32_t bottom = height - view.top - view.height;
        glScissor(view.left, bottom, view.width, view.height);
        SetView(view.left, bottom, view.width, view.height);
        DrawScene();
        if (view.primary) lineView = &view;
    }
    glDisable(GL_SCISSOR_TEST);
    // One frame-rate line for the one frame, where the user looks first.
    DrawFrameRate(lineView->left, lineView->top);
    glFlush();
    return true;
}

void SaverApplication::ListenToDisplay() {
    if (!displayNotification)
        displayNotification =
            RegisterPowerSettingNotification(window, &GUID_CONSOLE_DISPLAY_STATE, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void SaverApplication::FollowPowerSetting(LPARAM setting) {
    if (setting == 0) return;
    const auto* notice = reinterpret_cast<const POWERBROADCAST_SETTING*>(setting);
    if (std::memcmp(&notice->PowerSetting, &GUID_CONSOLE_DISPLAY_STATE, sizeof(GUID)) != 0 ||
        notice->DataLength < sizeof(DWORD))
        return;
    DWORD state = 0;
    std::memcpy(&state, reinterpret_cast<const BYTE*>(notice) + offsetof(POWERBROADCAST_SETTING, Data), sizeof state);
    displayOff = state == kDisplayOff;
}
