// Linux backend: Windows virtual-key codes for SDL keys.
//
// Platform: Linux. Dependencies: SDL2. Letters and digits follow the
// keyboard layout, as Windows' do (the key that types "a" is 'A'); every
// other key is recognised by its position. Left and right Shift, Ctrl and Alt
// share one code each, as in Windows key messages. Limitations: keys
// Windows has no code for are not reported.
#pragma once

#include <SDL.h>

#include "platform/win32.h"

namespace backend {

// 0 for keys that have no Windows code.
WORD VirtualKeyFor(const SDL_Keysym& key);

// The keys Windows marks as extended (bit 24 of a key message's lParam).
bool IsExtendedKey(SDL_Scancode scancode);

}  // namespace backend
