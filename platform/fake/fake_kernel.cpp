// Fake kernel and clock services for unit tests: the module handle, the
// performance counter, the millisecond clock and Sleep. See fake_clock.h.
#include <string>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_platform.h"
#include "platform/win32.h"

namespace fake {
namespace {

constexpr uintptr_t kModuleHandle = 0x400000;

struct Clocks {
    int64_t frequency = 10000000;
    int64_t counter = 0;
    uint32_t milliseconds = 0;
};

Clocks& TheClocks() {
    static Clocks clocks;
    return clocks;
}

const bool registered = (AddResetHook([] { TheClocks() = Clocks(); }), true);

}  // namespace

void SetCounterFrequency(int64_t ticksPerSecond) { TheClocks().frequency = ticksPerSecond; }
void SetCounter(int64_t ticks) { TheClocks().counter = ticks; }
void SetMilliseconds(uint32_t milliseconds) { TheClocks().milliseconds = milliseconds; }

void AdvanceClocks(uint64_t milliseconds) {
    Clocks& clocks = TheClocks();
    clocks.counter += static_cast<int64_t>(milliseconds) * clocks.frequency / 1000;
    clocks.milliseconds = static_cast<uint32_t>(clocks.milliseconds + milliseconds);
}

}  // namespace fake

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) {
    fake::Record("GetModuleHandleA", {fake::Text(moduleName)});
    if (fake::ShouldFail("GetModuleHandleA") || moduleName) return nullptr;
    return reinterpret_cast<HMODULE>(fake::kModuleHandle);
}

BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
    fake::Record("QueryPerformanceFrequency");
    if (!frequency) return FALSE;
    frequency->QuadPart = 0;
    if (fake::ShouldFail("QueryPerformanceFrequency") || fake::TheClocks().frequency == 0) return FALSE;
    frequency->QuadPart = fake::Answer("QueryPerformanceFrequency", fake::TheClocks().frequency);
    return TRUE;
}

BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count) {
    fake::Record("QueryPerformanceCounter");
    if (!count || fake::ShouldFail("QueryPerformanceCounter")) return FALSE;
    count->QuadPart = fake::Answer("QueryPerformanceCounter", fake::TheClocks().counter);
    return TRUE;
}

DWORD WINAPI timeGetTime(void) {
    fake::Record("timeGetTime");
    return static_cast<DWORD>(fake::Answer("timeGetTime", fake::TheClocks().milliseconds));
}

// Passes the time on the fake clocks instead of waiting.
void WINAPI Sleep(DWORD milliseconds) {
    fake::Record("Sleep", {std::to_string(milliseconds)});
    fake::AdvanceClocks(milliseconds);
}
