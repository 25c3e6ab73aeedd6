// Fake GetSystemMetrics for unit tests: the virtual screen around the fake
// monitors (fake_monitors.h) unless a test queues answers; every other
// index answers 0, as an unknown one does on Windows.
#include "platform/fake/fake_monitors.h"
#include "platform/fake/fake_platform.h"

int WINAPI GetSystemMetrics(int index) {
    const RECT screen = fake::VirtualScreen();
    int fallback = 0;
    if (index == SM_XVIRTUALSCREEN) fallback = screen.left;
    if (index == SM_YVIRTUALSCREEN) fallback = screen.top;
    if (index == SM_CXVIRTUALSCREEN) fallback = screen.right - screen.left;
    if (index == SM_CYVIRTUALSCREEN) fallback = screen.bottom - screen.top;
    return static_cast<int>(fake::Answer("GetSystemMetrics", fallback));
}
