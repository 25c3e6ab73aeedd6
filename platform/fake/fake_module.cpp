// Fake GetModuleHandleA for unit tests: the program's own module, by null,
// at a fixed handle; any named module is not found.
#include "platform/fake/fake_platform.h"

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) {
    constexpr uintptr_t kModuleHandle = 0x400000;
    if (fake::ShouldFail("GetModuleHandleA") || moduleName) return nullptr;
    return reinterpret_cast<HMODULE>(kModuleHandle);
}
