// Scripting the fake clocks: the performance counter and the 32-bit
// millisecond clock.
//
// Platform: none (unit tests). Both clocks stand still until a test moves
// them (or Sleep passes time). Readings can also be queued one by one with
// QueueAnswer on "QueryPerformanceFrequency", "QueryPerformanceCounter" or
// "timeGetTime"; FailCall("QueryPerformanceFrequency") or a frequency of 0
// makes the platform report no counter.
#pragma once

#include <cstdint>

namespace fake {

// Ticks per second reported by QueryPerformanceFrequency (10 MHz at start).
void SetCounterFrequency(int64_t ticksPerSecond);
void SetCounter(int64_t ticks);
void SetMilliseconds(uint32_t milliseconds);
// Moves both clocks on by this many milliseconds; the millisecond clock
// wraps past 2^32 as the real one does.
void AdvanceClocks(uint64_t milliseconds);

}  // namespace fake
