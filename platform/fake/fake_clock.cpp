// Fake clocks for unit tests: the performance counter, the millisecond clock
// and Sleep. See fake_clock.h.
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_platform.h"

namespace fake {
namespace {

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

BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
    if (!frequency) return FALSE;
    frequency->QuadPart = 0;
    if (fake::ShouldFail("QueryPerformanceFrequency") || fake::TheClocks().frequency == 0) return FALSE;
    frequency->QuadPart = fake::Answer("QueryPerformanceFrequency", fake::TheClocks().frequency);
    return TRUE;
}

BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count) {
    if (!count || fake::ShouldFail("QueryPerformanceCounter")) return FALSE;
    count->QuadPart = fake::Answer("QueryPerformanceCounter", fake::TheClocks().counter);
    return TRUE;
}

DWORD WINAPI timeGetTime(void) {
    return static_cast<DWORD>(fake::Answer("timeGetTime", fake::TheClocks().milliseconds));
}

// Passes the time on the fake clocks instead of waiting.
void WINAPI Sleep(DWORD milliseconds) { fake::AdvanceClocks(milliseconds); }
