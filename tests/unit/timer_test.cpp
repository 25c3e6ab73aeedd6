// Timers against the fake clocks: the counter mode, the millisecond-clock
// fallback with its wrap-around, pausing, resetting and the live-timer list.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_platform.h"
#include "timing/timer.h"

namespace {

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override { fake::Reset(); }
};

// Milliseconds as the float conversion factor of a 10 MHz counter yields them.
constexpr double kTolerance = 1e-3;

TEST_F(TimerTest, CounterModeMeasuresElapsedMilliseconds) {
    fake::SetCounter(123456789);
    PerformanceTimer timer;
    EXPECT_NEAR(timer.GetTime(), 0.0, kTolerance);
    fake::AdvanceClocks(250);
    EXPECT_NEAR(timer.GetTime(), 250.0, kTolerance);
    fake::AdvanceClocks(1750);
    EXPECT_NEAR(timer.GetTime(), 2000.0, kTolerance);
    fake::SetMilliseconds(777777);  // the millisecond clock is not what it reads
    EXPECT_NEAR(timer.GetTime(), 2000.0, kTolerance);

    // Finer than a millisecond: 1.5 ms at 1 MHz.
    fake::SetCounterFrequency(1000000);
    fake::SetCounter(0);
    PerformanceTimer fine;
    fake::SetCounter(1500);
    EXPECT_NEAR(fine.GetTime(), 1.5, 1e-6);
}

// Scripts of clock moves, each followed by an operation and a reading.
TEST_F(TimerTest, PauseResumeAndResetFollowTheirCount) {
    enum Op { kNone, kPause, kResume, kReset };
    struct Step {
        uint64_t advance;
        Op op;
        double reads;
    };
    const std::vector<std::vector<Step>> scripts = {
        // Pause freezes; Resume goes on without a jump.
        {{100, kPause, 100}, {5000, kNone, 100}, {0, kResume, 100}, {40, kNone, 140}},
        // Nested pauses keep the outermost value until the last Resume.
        {{10, kPause, 10}, {10, kPause, 10}, {10, kResume, 10}, {10, kResume, 10}, {5, kNone, 15}},
        // A Resume without a Pause only unbalances the count: the next Pause
        // brings it back to 0 without freezing, the one after freezes.
        {{20, kResume, 20}, {20, kPause, 40}, {20, kNone, 60}, {0, kPause, 60}, {20, kNone, 60}},
        // Reset restarts a running timer; a paused one keeps its value.
        {{300, kReset, 0}, {70, kPause, 70}, {0, kReset, 70}, {30, kResume, 70}},
    };
    for (size_t i = 0; i < scripts.size(); ++i) {
        PerformanceTimer timer;
        for (const Step& step : scripts[i]) {
            fake::AdvanceClocks(step.advance);
            if (step.op == kPause) timer.Pause();
            if (step.op == kResume) timer.Resume();
            if (step.op == kReset) timer.Reset();
            EXPECT_NEAR(timer.GetTime(), step.reads, kTolerance) << "script " << i;
        }
    }
}

// No counter, or one that claims a frequency of 0: the millisecond clock.
TEST_F(TimerTest, WithoutACounterTheMillisecondClockIsUsed) {
    for (bool claimsZero : {false, true}) {
        fake::Reset();
        if (claimsZero)
            fake::QueueAnswer("QueryPerformanceFrequency", 0);
        else
            fake::FailCall("QueryPerformanceFrequency");
        fake::SetMilliseconds(5000);
        PerformanceTimer timer;
        fake::SetMilliseconds(5750);
        fake::SetCounter(987654321);  // nor does it read the counter
        EXPECT_EQ(timer.GetTime(), 750.0) << claimsZero;
    }
}

TEST_F(TimerTest, FallbackClockWrappingPastTwoToTheThirtyTwo) {
    fake::SetCounterFrequency(0);
    fake::SetMilliseconds(0xFFFFFF00u);
    PerformanceTimer timer;
    fake::AdvanceClocks(0x200);  // the clock reads 0x100 now
    EXPECT_EQ(timer.GetTime(), 512.0);

    // Pausing before the wrap and resuming after it keeps the time too.
    fake::SetMilliseconds(0xFFFFFFF0u);
    timer.Reset();
    fake::AdvanceClocks(10);
    timer.Pause();
    fake::AdvanceClocks(1000);
    timer.Resume();
    EXPECT_EQ(timer.GetTime(), 10.0);
    fake::AdvanceClocks(25);
    EXPECT_EQ(timer.GetTime(), 35.0);
}

TEST_F(TimerTest, ResumeAfterAWrapWithAFrozenTimeLargerThanTheClock) {
    fake::SetCounterFrequency(0);
    fake::SetMilliseconds(0);
    PerformanceTimer timer;
    fake::SetMilliseconds(4000000000u);
    timer.Pause();  // 4e9 ms frozen
    fake::SetMilliseconds(100);
    timer.Resume();  // the origin lies before the wrap
    EXPECT_EQ(timer.GetTime(), 4000000000.0);
    fake::AdvanceClocks(5);
    EXPECT_EQ(timer.GetTime(), 4000000005.0);
}

TEST_F(TimerTest, LiveTimerListFollowsConstructionAndDestruction) {
    const int before = CountLiveTimers();
    std::unique_ptr<Timer> first(CreateTimer());
    ASSERT_NE(first, nullptr);
    {
        PerformanceTimer second;
        std::unique_ptr<Timer> third(CreateTimer());
        EXPECT_EQ(CountLiveTimers(), before + 3);
        first.reset();  // not the list's head: unlinked from the middle
        EXPECT_EQ(CountLiveTimers(), before + 2);
    }
    EXPECT_EQ(CountLiveTimers(), before);
}

TEST_F(TimerTest, TimersAreIndependent) {
    std::unique_ptr<Timer> model(CreateTimer());
    fake::AdvanceClocks(100);
    PerformanceTimer scene;
    model->Pause();
    fake::AdvanceClocks(50);
    EXPECT_NEAR(model->GetTime(), 100.0, kTolerance);
    EXPECT_NEAR(scene.GetTime(), 50.0, kTolerance);
}

}  // namespace
