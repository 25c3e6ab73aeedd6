#include "timing/timer.h"

#include <new>

#include "platform/win32.h"

namespace {

// The process-wide list of live timers. Nothing walks it but the count and
// the destructor; it is bookkeeping of what exists.
struct TimerNode {
    Timer* timer;
    TimerNode* next;
};

TimerNode* liveTimers = nullptr;

}  // namespace

Timer::Timer() {
    // A timer whose node could not be allocated is simply not listed; it
    // works all the same and its destructor finds nothing to unlink.
    TimerNode* node = new (std::nothrow) TimerNode{this, liveTimers};
    if (node) liveTimers = node;
}

Timer::~Timer() {
    TimerNode** link = &liveTimers;
    while (*link && (*link)->timer != this) link = &(*link)->next;
    if (!*link) return;
    TimerNode* node = *link;
    *link = node->next;
    delete node;
}

int CountLiveTimers() {
    int count = 0;
    for (const TimerNode* node = liveTimers; node; node = node->next) ++count;
    return count;
}

PerformanceTimer::PerformanceTimer()
    : frequency(0), msPerTick(0.0f), startMs(0), startCount(0), usePerformanceCounter(false), pauseCount(0),
      pausedTime(0.0) {
    LARGE_INTEGER reading;
    // A counter that claims success with a frequency of 0 or less would turn
    // every reading into an infinity; the millisecond clock serves instead.
    if (QueryPerformanceFrequency(&reading) && reading.QuadPart > 0) {
        frequency = reading.QuadPart;
        usePerformanceCounter = true;
        QueryPerformanceCounter(&reading);
        startCount = reading.QuadPart;
        msPerTick = static_cast<float>((1.0 / static_cast<double>(frequency)) * 1000.0);
    } else {
        usePerformanceCounter = false;
        startMs = timeGetTime();
    }
}

PerformanceTimer::~PerformanceTimer() = default;

double PerformanceTimer::GetTime() {
    if (pauseCount > 0) return pausedTime;
    if (usePerformanceCounter) {
        LARGE_INTEGER reading;
        QueryPerformanceCounter(&reading);
        return static_cast<double>(reading.QuadPart - startCount) * static_cast<double>(msPerTick);
    }
    // Unsigned 32-bit difference: right across a wrap of the clock.
    const uint32_t elapsed = static_cast<uint32_t>(timeGetTime() - startMs);
    return static_cast<double>(elapsed);
}

void PerformanceTimer::Reset() {
    if (usePerformanceCounter) {
        LARGE_INTEGER reading;
        QueryPerformanceCounter(&reading);
        startCount = reading.QuadPart;
    } else {
        startMs = timeGetTime();
    }
    pausedTime = GetTime();
}

void PerformanceTimer::Pause() {
    if (pauseCount == 0) pausedTime = GetTime();
    ++pauseCount;
}

void PerformanceTimer::Resume() {
    --pauseCount;
    if (pauseCount != 0) return;
    // Move the origin back by the frozen time so that time goes on from it.
    if (usePerformanceCounter) {
        LARGE_INTEGER reading;
        QueryPerformanceCounter(&reading);
        startCount = reading.QuadPart - static_cast<int64_t>(pausedTime / static_cast<double>(msPerTick));
    } else {
        const double origin = static_cast<double>(timeGetTime()) - pausedTime;
        // Through a signed 64-bit value: the origin may lie before a wrap of
        // the clock, and only its low 32 bits matter.
        startMs = static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(origin)));
    }
}

Timer* CreateTimer() { return new (std::nothrow) PerformanceTimer(); }
