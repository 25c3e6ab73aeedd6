// Fake ChangeDisplaySettingsA for unit tests: the display mode a test can
// read back (CurrentDisplayMode).
//
// Platform: none. Every mode is accepted unless the test queues another
// answer for "ChangeDisplaySettingsA"; null restores the desktop mode.
#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_window_object.h"

namespace fake {

DisplayMode CurrentDisplayMode() { return TheWindowArea().mode; }

}  // namespace fake

LONG WINAPI ChangeDisplaySettingsA(DEVMODEA* mode, DWORD) {
    using namespace fake;
    if (ShouldFail("ChangeDisplaySettingsA")) return DISP_CHANGE_FAILED;
    if (!mode) {
        TheWindowArea().mode = DisplayMode();
        return DISP_CHANGE_SUCCESSFUL;
    }
    const LONG result = static_cast<LONG>(Answer("ChangeDisplaySettingsA", DISP_CHANGE_SUCCESSFUL));
    if (result == DISP_CHANGE_SUCCESSFUL)
        TheWindowArea().mode = DisplayMode{true, mode->dmPelsWidth, mode->dmPelsHeight, mode->dmBitsPerPel};
    return result;
}
