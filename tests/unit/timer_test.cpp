// Timers against the fake clocks: the counter mode, the millisecond-clock
// fallback with its wrap-around, pausing, resetting and the live-timer list.
#include <gtest/gtest.h>

#include <memory>

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

TEST_F(TimerTest, PauseFreezesAndResumeContinuesWithoutAJump) {
    PerformanceTimer timer;
    fake::AdvanceClocks(100);
    timer.Pause();
    fake::AdvanceClocks(5000);
    EXPECT_NEAR(timer.GetTime(), 100.0, kTolerance);
    EXPECT_NEAR(timer.GetTime(), 100.0, kTolerance);
    timer.Resume();
    EXPECT_NEAR(timer.GetTime(), 100.0, kTolerance);
    fake::AdvanceClocks(40);
    EXPECT_NEAR(timer.GetTime(), 140.0, kTolerance);
}

TEST_F(TimerTest, NestedPausesKeepTheOutermostValueUntilTheLastResume) {
    PerformanceTimer timer;
    fake::AdvanceClocks(10);
    timer.Pause();
    fake::AdvanceClocks(10);
    timer.Pause();
    fake::AdvanceClocks(10);
    timer.Resume();
    EXPECT_NEAR(timer.GetTime(), 10.0, kTolerance) << "one Resume of two Pauses leaves it paused";
    fake::AdvanceClocks(10);
    timer.Resume();
    EXPECT_NEAR(timer.GetTime(), 10.0, kTolerance);
    fake::AdvanceClocks(5);
    EXPECT_NEAR(timer.GetTime(), 15.0, kTolerance);
}

TEST_F(TimerTest, ResumeWithoutPauseOnlyUnbalancesTheCount) {
    PerformanceTimer timer;
    fake::AdvanceClocks(20);
    timer.Resume();
    EXPECT_NEAR(timer.GetTime(), 20.0, kTolerance) << "still running from the same origin";
    fake::AdvanceClocks(20);
    timer.Pause();  // brings the count back to 0 without freezing
    fake::AdvanceClocks(20);
    EXPECT_NEAR(timer.GetTime(), 60.0, kTolerance);
    timer.Pause();  // now it freezes
    fake::AdvanceClocks(20);
    EXPECT_NEAR(timer.GetTime(), 60.0, kTolerance);
}

TEST_F(TimerTest, ResetRestartsARunningTimerButNotAPausedOne) {
    PerformanceTimer timer;
    fake::AdvanceClocks(300);
    timer.Reset();
    EXPECT_NEAR(timer.GetTime(), 0.0, kTolerance);
    fake::AdvanceClocks(70);
    timer.Pause();
    timer.Reset();
    EXPECT_NEAR(timer.GetTime(), 70.0, kTolerance) << "the frozen value stays";
    fake::AdvanceClocks(30);
    timer.Resume();
    EXPECT_NEAR(timer.GetTime(), 70.0, kTolerance) << "and time goes on from it";
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
