#include "shell/window_registry.h"

#include "shell/gl_window.h"

namespace {

constexpr int32_t kRegistryCapacity = 1;

GLWindow* registry[kRegistryCapacity] = {};
int32_t registryCount = 0;  // positions handed out so far

}  // namespace

int32_t EnterWindowRegistry(GLWindow* object) {
    if (registryCount == 0) ClearWindowRegistry();
    // A further object would be written past the table; it stays unregistered.
    if (registryCount >= kRegistryCapacity) return -1;
    const int32_t index = registryCount++;
    registry[index] = object;
    return index;
}

void LeaveWindowRegistry(int32_t index) {
    if (index >= 0 && index < kRegistryCapacity) registry[index] = nullptr;
}

GLWindow* FindWindowObject(HWND window) {
    GLWindow* found = nullptr;
    for (int32_t i = 0; i < registryCount && i < kRegistryCapacity; ++i) {
        if (registry[i] && registry[i]->GetHandle() == window) found = registry[i];
    }
    return found;
}

void ClearWindowRegistry() {
    for (GLWindow*& entry : registry) entry = nullptr;
    registryCount = 0;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    GLWindow* object = FindWindowObject(window);
    if (object && object->HandleMessage(window, message, wParam, lParam) == 0) return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}
