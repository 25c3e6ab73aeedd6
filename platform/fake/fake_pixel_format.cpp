// Fake ChoosePixelFormat and SetPixelFormat for unit tests.
//
// Platform: none. Any request on a live device context gets format 1 (or the
// next answer queued for "ChoosePixelFormat"); the last request is kept for
// tests. As on Windows, a window's format is set once.
#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_window_object.h"

namespace fake {

PIXELFORMATDESCRIPTOR LastPixelFormatRequest() { return TheWindowArea().lastRequest; }

}  // namespace fake

int WINAPI ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* descriptor) {
    using namespace fake;
    if (!descriptor) return 0;
    TheWindowArea().lastRequest = *descriptor;
    if (ShouldFail("ChoosePixelFormat") || !TheWindowArea().deviceContexts.count(dc)) return 0;
    return static_cast<int>(Answer("ChoosePixelFormat", 1));
}

BOOL WINAPI SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR*) {
    using namespace fake;
    auto it = TheWindowArea().deviceContexts.find(dc);
    if (ShouldFail("SetPixelFormat") || it == TheWindowArea().deviceContexts.end() || format <= 0) return FALSE;
    WindowRecord* window = FindWindowRecord(it->second);
    if (!window || window->pixelFormat != 0) return FALSE;
    window->pixelFormat = format;
    return TRUE;
}
