// Fake ShowCursor for unit tests: the display counter Windows keeps (the
// cursor shows while it is at least 0), readable with CursorCounter.
#include "platform/fake/fake_window_object.h"

namespace fake {

int CursorCounter() { return TheWindowArea().cursorCounter; }

}  // namespace fake

int WINAPI ShowCursor(BOOL show) {
    int& counter = fake::TheWindowArea().cursorCounter;
    counter += show ? 1 : -1;
    return counter;
}
