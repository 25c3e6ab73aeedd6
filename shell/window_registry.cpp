#include "shell/window_registry.h"

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

int32_t WindowRegistryCount() { return registryCount < kRegistryCapacity ? registryCount : kRegistryCapacity; }

GLWindow* WindowRegistryEntry(int32_t index) {
    return index >= 0 && index < WindowRegistryCount() ? registry[index] : nullptr;
}

void ClearWindowRegistry() {
    for (GLWindow*& entry : registry) entry = nullptr;
    registryCount = 0;
}
