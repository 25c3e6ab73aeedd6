// Timers: elapsed wall-clock milliseconds for the dialog countdown, the scene
// and each model's animation.
//
// PerformanceTimer reads the high-resolution performance counter and falls
// back to the 32-bit millisecond clock when the platform reports none. Every
// live timer is kept in a process-wide list (bookkeeping only).
#pragma once

#include <cstdint>

class Timer {
public:
    Timer();
    virtual ~Timer();
    virtual void Reset() = 0;
    virtual double GetTime() = 0;  // elapsed milliseconds
    virtual void Pause() = 0;
    virtual void Resume() = 0;

    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
};

class PerformanceTimer : public Timer {
public:
    PerformanceTimer();
    ~PerformanceTimer() override;
    void Reset() override;
    double GetTime() override;
    void Pause() override;
    void Resume() override;

private:
    int64_t frequency;
    float msPerTick;
    uint32_t startMs;
    int64_t startCount;
    bool usePerformanceCounter;
    int32_t pauseCount;
    double pausedTime;
};

// A new PerformanceTimer owned by the caller, or null when memory runs out.
Timer* CreateTimer();

// Number of timers alive in the process (the length of the live-timer list).
int CountLiveTimers();
