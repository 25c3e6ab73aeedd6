// The screen saver's settings dialog (corvane.scr /c): sound, the frame-rate
// line and the pause between frames, read from and saved to the registry.
// Windows only.
#pragma once

#include <windows.h>

// Shows the dialog modally, owned by `owner` (may be none). OK saves the
// choices; Cancel, Escape and closing the dialog keep what was stored. A
// pause that is not a number is refused with a message and the dialog
// stays; one beyond the range is clamped. A failure to save is reported.
void RunSaverSettingsDialog(HINSTANCE instance, HWND owner);
