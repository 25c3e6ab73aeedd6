// Fake GL rendering contexts and buffer swaps for unit tests.
//
// Platform: none. A context is made only for the device context of a window
// with a pixel format; making it current needs both live; creating one
// leaves the current one current. Nothing is drawn; after every swap the
// test's hook runs (OnSwapBuffers).
#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_window_object.h"

namespace fake {

int LiveRenderContextCount() { return static_cast<int>(TheWindowArea().renderContexts.size()); }
HGLRC CurrentRenderContext() { return TheWindowArea().current; }
void OnSwapBuffers(std::function<void()> hook) { TheWindowArea().swapHook = std::move(hook); }

}  // namespace fake

HGLRC WINAPI wglCreateContext(HDC dc) {
    using namespace fake;
    WindowArea& area = TheWindowArea();
    auto it = area.deviceContexts.find(dc);
    if (ShouldFail("wglCreateContext") || it == area.deviceContexts.end()) return nullptr;
    const WindowRecord* window = FindWindowRecord(it->second);
    if (!window || window->pixelFormat == 0) return nullptr;
    HGLRC context = MakeHandle<HGLRC>(area.nextRenderContext);
    area.renderContexts[context] = dc;
    return context;
}

BOOL WINAPI wglMakeCurrent(HDC dc, HGLRC context) {
    using namespace fake;
    WindowArea& area = TheWindowArea();
    if (ShouldFail("wglMakeCurrent")) return FALSE;
    if (!context) {
        area.current = nullptr;
        return TRUE;
    }
    if (!area.renderContexts.count(context) || !area.deviceContexts.count(dc)) return FALSE;
    area.current = context;
    return TRUE;
}

BOOL WINAPI wglDeleteContext(HGLRC context) {
    using namespace fake;
    WindowArea& area = TheWindowArea();
    if (ShouldFail("wglDeleteContext") || !area.renderContexts.erase(context)) return FALSE;
    if (area.current == context) area.current = nullptr;
    return TRUE;
}

BOOL WINAPI SwapBuffers(HDC dc) {
    using namespace fake;
    if (ShouldFail("SwapBuffers") || !TheWindowArea().deviceContexts.count(dc)) return FALSE;
    if (TheWindowArea().swapHook) {
        const std::function<void()> hook = TheWindowArea().swapHook;  // the hook may replace itself
        hook();
    }
    return TRUE;
}
