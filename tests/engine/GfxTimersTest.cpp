#include "engine/GfxTimers.h"
#include "platform/headless/HeadlessPlatform.h"
#include <gtest/gtest.h>

using platform::headless::FakeClock;

namespace {

struct TimerRig {
    FakeClock clock;
    TGfxTimer timer{clock};
    int ticks = 0;
    TimerRig() {
        timer.SetSpeed(1200.0);
        timer.SetMaxFPS(100);
        timer.Enabled = true;
        timer.OnTimer = [this] { ++ticks; };
    }
};

} // namespace

TEST(GfxTimerTest, OutOfRangeSettingsAreClamped) {
    FakeClock clock;
    TGfxTimer timer(clock);
    timer.SetMaxFPS(0);
    EXPECT_EQ(timer.MaxFPS(), 1);
    EXPECT_EQ(timer.FrameLength(), 1000 * TGfxTimer::kOne);
    timer.SetMaxFPS(-20);
    EXPECT_EQ(timer.MaxFPS(), 1);
    timer.SetSpeed(0.5);
    EXPECT_DOUBLE_EQ(timer.Speed(), 1.0);
    EXPECT_EQ(timer.TickLength(), 1000 * TGfxTimer::kOne);
}

TEST(GfxTimerTest, SleepsTheRestOfTheFrame) {
    TimerRig rig;
    rig.clock.AdvanceMs(3);
    rig.timer.Idle();
    ASSERT_EQ(rig.clock.sleeps.size(), 1u);
    EXPECT_EQ(rig.clock.sleeps[0], 7u);
    EXPECT_EQ(rig.ticks, 1);

    // A pass that already took a whole frame does not sleep.
    rig.clock.sleeps.clear();
    rig.clock.AdvanceMs(12);
    rig.timer.Idle();
    EXPECT_TRUE(rig.clock.sleeps.empty());
}

TEST(GfxTimerTest, DeltaCountsTicksOfSpeedAndIsCappedAfterAStall) {
    TimerRig rig;
    rig.clock.AdvanceMs(10);
    rig.timer.Idle();
    EXPECT_NEAR(rig.timer.Delta(), 12.0, 1e-4); // 10 ms at 1200 ticks a second

    rig.clock.AdvanceMs(2000);
    rig.timer.Idle();
    EXPECT_DOUBLE_EQ(rig.timer.Delta(), 32.0);

    rig.clock.AdvanceMs(5.0 * 3600 * 1000); // hours asleep must not overflow
    rig.timer.Idle();
    EXPECT_DOUBLE_EQ(rig.timer.Delta(), 32.0);
}

TEST(GfxTimerTest, DisabledTimerIdlesWithoutTicking) {
    TimerRig rig;
    rig.timer.Enabled = false;
    rig.timer.Idle();
    EXPECT_EQ(rig.ticks, 0);
    ASSERT_EQ(rig.clock.sleeps.size(), 1u);
    EXPECT_EQ(rig.clock.sleeps[0], 5u);
}

// Each pass "works" for some milliseconds and the timer sleeps the rest; the measured
// rate must match the real one, with the sleep counted once.
TEST(GfxTimerTest, FrameRateMatchesTheRealPassRate) {
    struct Case {
        bool highPrecision;
        int maxFps;
        double workMs;
        int expected;
    };
    const Case cases[] = {
        {true, 100, 3.0, 100}, {false, 100, 3.0, 100}, {true, 100, 20.0, 50}, {true, 50, 1.0, 50}};
    for (const Case& c : cases) {
        FakeClock clock;
        clock.SetHighPrecision(c.highPrecision);
        TGfxTimer timer(clock);
        timer.SetMaxFPS(c.maxFps);
        timer.Enabled = true;
        EXPECT_EQ(timer.HighPrecision(), c.highPrecision);
        EXPECT_EQ(timer.FrameRate(), 0) << "no rate before a window has closed";
        for (int pass = 0; pass < 400; ++pass) {
            clock.AdvanceMs(c.workMs);
            timer.Idle();
        }
        EXPECT_NEAR(timer.FrameRate(), c.expected, 1)
            << "maxFps " << c.maxFps << " work " << c.workMs << " high " << c.highPrecision;
    }
}
