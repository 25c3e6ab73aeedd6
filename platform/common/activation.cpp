// Activation and focus moves in Windows' order. See activation.h.
#include "platform/common/activation.h"

namespace common {
namespace {

WPARAM ActivationWParam(WORD state, bool minimized) { return MAKEWPARAM(state, minimized ? 1 : 0); }

}  // namespace

Activation& TheActivation() {
    static Activation activation(TheWindowHost());
    return activation;
}

void Activation::Activate(HWND window) {
    if (window == active || !host->IsLive(window)) return;
    HWND previous = active;
    active = window;
    host->ActiveChanged(window);
    if (previous != nullptr && host->IsLive(previous)) {
        host->Send(previous, WM_ACTIVATE, ActivationWParam(WA_INACTIVE, host->IsMinimized(previous)),
                   reinterpret_cast<LPARAM>(window));
        // Its procedure may have destroyed the window or activated another.
        if (active != window || !host->IsLive(window)) return;
    }
    if (!host->Send(window, WM_ACTIVATE, ActivationWParam(WA_ACTIVE, host->IsMinimized(window)),
                    reinterpret_cast<LPARAM>(previous))) {
        return;
    }
    // A minimised window gets no focus; its keys come to it as system keys.
    if (active == window) MoveFocus(host->IsMinimized(window) ? nullptr : window);
}

void Activation::Deactivate(HWND window) {
    if (window == nullptr) return;
    if (window == active) {
        active = nullptr;
        host->ActiveChanged(nullptr);
        host->Send(window, WM_ACTIVATE, ActivationWParam(WA_INACTIVE, host->IsMinimized(window)), 0);
    }
    if (window == focus) MoveFocus(nullptr);
}

void Activation::Restored(HWND window) {
    if (window != active || window == nullptr || host->IsMinimized(window)) return;
    const bool alive = host->Send(window, WM_ACTIVATE, ActivationWParam(WA_ACTIVE, false), 0);
    if (alive && window == active) MoveFocus(window);
}

HWND Activation::SetFocus(HWND window) {
    HWND previous = focus;
    if (window != nullptr) {
        if (!host->IsLive(window)) return nullptr;
        Activate(window);
        if (window != active || !host->IsLive(window)) return nullptr;
    }
    MoveFocus(window);
    return previous;
}

void Activation::Forget(HWND window) {
    if (window == nullptr) return;
    if (window == active) active = nullptr;
    if (window == focus) focus = nullptr;
}

void Activation::MoveFocus(HWND window) {
    HWND previous = focus;
    if (previous == window) return;
    focus = window;
    if (previous != nullptr && host->IsLive(previous)) {
        host->Send(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    }
    // The procedure may have moved the focus again or destroyed the window.
    if (window != nullptr && window == focus && host->IsLive(window)) {
        host->Send(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    }
}

}  // namespace common
