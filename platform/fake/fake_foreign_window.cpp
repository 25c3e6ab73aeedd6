// Fake window queries and moves for unit tests: IsWindow, GetClientRect,
// MoveWindow and the window numbers of platform/window_id.h.
//
// Platform: none. What the Linux backend also answers for windows it was
// given; the fake has only its own windows, and a window's number is its
// handle value.
#include "platform/common/window_frame.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_queue.h"
#include "platform/fake/fake_window_object.h"
#include "platform/window_id.h"

BOOL WINAPI IsWindow(HWND window) { return fake::FindWindowRecord(window) != nullptr ? TRUE : FALSE; }

BOOL WINAPI GetClientRect(HWND window, LPRECT rect) {
    const fake::WindowRecord* record = fake::FindWindowRecord(window);
    if (fake::ShouldFail("GetClientRect") || !record || !rect) return FALSE;
    *rect = RECT{0, 0, record->state.clientWidth, record->state.clientHeight};
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND window, int, int, int width, int height, BOOL) {
    fake::WindowRecord* record = fake::FindWindowRecord(window);
    if (fake::ShouldFail("MoveWindow") || !record) return FALSE;
    fake::WindowState& state = record->state;
    const common::FrameInsets frame = common::FrameFor(state.style, state.exStyle, false);
    state.outerWidth = width;
    state.outerHeight = height;
    state.clientWidth = common::ClientWidth(width, frame);
    state.clientHeight = common::ClientHeight(height, frame);
    fake::SendToWindow(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(state.clientWidth, state.clientHeight));
    return TRUE;
}

HWND WindowFromId(uint64_t id) {
    HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(id));
    return fake::FindWindowRecord(window) != nullptr ? window : nullptr;
}
