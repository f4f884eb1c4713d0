// The ten-frame rate estimate behind the animation step, and pacing.
#include <gtest/gtest.h>

#include <cmath>

#include <time.h>

#include "app/frame_clock.h"
#include "app/platform.h"

namespace {
class FrameClockTest : public ::testing::Test {
protected:
    FrameClock clock;
};

// A clock that moves 4 ms each time it is read.
double fakeTime = 0.0;
int clockReads = 0;
double steppingClock() {
    ++clockReads;
    fakeTime += 0.004;
    return fakeTime;
}
}  // namespace

// The estimate is renewed every tenth frame. Frames faster than any display
// refreshes (over 300 a second) turn pacing on; 250 a second do not.
TEST_F(FrameClockTest, EstimateRenewedEveryTenthFrameAndPacingOnAbove300PerSecond) {
    for (int i = 0; i < 9; ++i) {
        clock.recordFrameTime(1.0 / 250);
        EXPECT_EQ(clock.animationStep(), 0.0f) << i;
    }
    clock.recordFrameTime(1.0 / 250);
    EXPECT_NEAR(clock.framesPerSecond, 250.0, 1e-6);
    EXPECT_NEAR(clock.animationStep(), 0.004f, 1e-7);
    EXPECT_FALSE(clock.framesArePaced());
    for (int i = 0; i < 9; ++i) {
        clock.recordFrameTime(1.0 / 320);
        EXPECT_NEAR(clock.framesPerSecond, 250.0, 1e-6);
    }
    clock.recordFrameTime(1.0 / 320);
    EXPECT_NEAR(clock.framesPerSecond, 320.0, 1e-6);
    EXPECT_TRUE(clock.framesArePaced());
}

TEST_F(FrameClockTest, ResetForgetsABlockBegunBeforeIt) {
    for (int i = 0; i < 5; ++i)
        clock.recordFrameTime(1.0 / 10);
    clock.reset();
    for (int i = 0; i < 10; ++i)
        clock.recordFrameTime(1.0 / 50);
    EXPECT_NEAR(clock.framesPerSecond, 50.0, 1e-9);
}

TEST_F(FrameClockTest, BlockSummingToZeroGivesAZeroStep) {
    for (int i = 0; i < 10; ++i)
        clock.recordFrameTime(1.0 / 60);
    for (int i = 0; i < 10; ++i)
        clock.recordFrameTime(0.0);
    EXPECT_TRUE(std::isinf(clock.framesPerSecond));
    EXPECT_EQ(clock.animationStep(), 0.0f);
}

TEST_F(FrameClockTest, PacingWaitsOutTheFramePeriodOnlyWhenOn) {
    fakeTime = 100.0;
    clockReads = 0;
    clock.paceFrame(100.0, steppingClock);   // off: does not even read the clock
    EXPECT_EQ(clockReads, 0);
    clock.setFramePacing(true);
    clock.paceFrame(100.0, steppingClock);   // a sixtieth of a second: 16 ms is short of it, 20 ms over
    EXPECT_EQ(clockReads, 5);
}

// The program's clock is the monotonic clock in seconds, to the microsecond:
// read between two readings of that clock, late in a second, where a wrong
// scale of its fraction would show most.
TEST(ProgramClock, MonotonicSecondsToTheMicrosecond) {
    auto seconds = [](const timespec& ts) { return static_cast<double>(ts.tv_sec) + ts.tv_nsec * 1e-9; };
    timespec before{}, after{};
    do
        clock_gettime(CLOCK_MONOTONIC, &before);
    while (before.tv_nsec < 900000000);
    const double read = now();
    clock_gettime(CLOCK_MONOTONIC, &after);
    EXPECT_GE(read, seconds(before) - 1e-6) << "cut to the microsecond, never less";
    EXPECT_LE(read, seconds(after));
}
