// What TranslateMessage answers: nonzero for the four key messages
// (WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP) whatever they translate
// to, zero for every other message and for no message.
//
// Platform: any (the Linux backend's TranslateMessage and the fake's).
// Limitation: no character messages are made; the core reads virtual keys.
#pragma once

#include "platform/win32.h"

namespace common {

inline BOOL TranslateKeyMessage(const MSG* msg) {
    if (msg == nullptr) return FALSE;
    const UINT message = msg->message;
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP
               ? TRUE
               : FALSE;
}

}  // namespace common
