#include "message_log.h"

#include <cstdint>
#include <cstdio>
#include <map>

namespace {

std::map<HWND, LoggedWindow*>& Owners() {
    static std::map<HWND, LoggedWindow*> owners;
    return owners;
}

// The window being created: its messages arrive before its handle is known.
LoggedWindow* creating = nullptr;

std::vector<LoggedMessage> trail;  // what every logged window heard, in the order heard

}  // namespace

LoggedWindow::LoggedWindow(DWORD style, int width, int height) {
    static int windowCount = 0;
    std::snprintf(className, sizeof className, "CorvaneLogged%d", ++windowCount);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    if (RegisterClassA(&windowClass) == 0) return;
    RECT outer = {0, 0, width, height};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    creating = this;
    window = CreateWindowExA(0, className, "Corvane logged window", style, 0, 0, outer.right - outer.left,
                             outer.bottom - outer.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    creating = nullptr;
    if (window != nullptr) Owners()[window] = this;
}

LoggedWindow::~LoggedWindow() {
    if (window != nullptr) DestroyWindow(window);
    UnregisterClassA(className, GetModuleHandleA(nullptr));
}

int LoggedWindow::IndexOf(UINT message, int from) const {
    for (size_t i = static_cast<size_t>(from < 0 ? 0 : from); i < log.size(); ++i) {
        if (log[i].message == message) return static_cast<int>(i);
    }
    return -1;
}

std::vector<std::string> FocusTrail(HWND first, HWND second) {
    const auto name = [&](uintptr_t value) -> std::string {
        if (value == 0 || value == reinterpret_cast<uintptr_t>(first)) return value == 0 ? "0" : "first";
        return value == reinterpret_cast<uintptr_t>(second) ? "second" : "another";
    };
    std::vector<std::string> lines;
    for (const LoggedMessage& m : trail) {
        const std::string who = name(reinterpret_cast<uintptr_t>(m.window));
        if (m.message == WM_ACTIVATE) {
            lines.push_back(who + " activate " + std::to_string(LOWORD(m.wParam)) + "," +
                            std::to_string(HIWORD(m.wParam)) + " " + name(static_cast<uintptr_t>(m.lParam)));
        }
        if (m.message == WM_KILLFOCUS || m.message == WM_SETFOCUS) {
            lines.push_back(who + (m.message == WM_SETFOCUS ? " setfocus " : " killfocus ") + name(m.wParam));
        }
    }
    trail.clear();
    return lines;
}

int LoggedWindow::Count(UINT message) const {
    int count = 0;
    for (const LoggedMessage& entry : log) count += entry.message == message ? 1 : 0;
    return count;
}

void LoggedWindow::DispatchQueued() {
    MSG msg;
    while (window != nullptr && PeekMessageA(&msg, window, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // not ours to take
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

LRESULT CALLBACK LoggedWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto found = Owners().find(hwnd);
    LoggedWindow* owner = found != Owners().end() ? found->second : creating;
    if (owner != nullptr) {
        owner->log.push_back(LoggedMessage{message, wParam, lParam, hwnd});
        trail.push_back(owner->log.back());
        if (message == WM_DESTROY) {
            Owners().erase(hwnd);
            owner->window = nullptr;
        }
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
