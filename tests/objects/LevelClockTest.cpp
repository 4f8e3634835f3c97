#include "objects/LevelClock.h"
#include "objects/WorldRig.h"
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

namespace {

struct ClockRig : WorldRig {
    tclocks* clock;
    ClockRig(double total = 100) {
        state.ScreenState = 13;
        state.GamePaused = 1;
        state.PulseCounter = 3;
        state.LevelTimeLeft = state.LevelTimeTotal = total;
        clock = new tclocks(world, 15, 15);
    }
};

} // namespace

TEST(LevelTimeTest, EveryStartTakesFiveSecondsAndDifficultyScalesTheRest) {
    struct Case {
        int difficulty;
        double first, second, third;
    };
    const Case cases[] = {{0, 235, 230, 225},
                          {1, 235 * 2.0 / 3, 230 * 2.0 / 3, 225 * 2.0 / 3},
                          {2, 117.5, 115, 112.5}};
    for (const Case& c : cases) {
        TGameState s;
        s.Difficulty = uint8_t(c.difficulty);
        s.BaseLevelTime = 80; // whatever an earlier game left
        s.LevelNumber = 1;
        s.StartLevelTime();
        EXPECT_NEAR(s.LevelTimeLeft, c.first, 1e-9) << c.difficulty;
        EXPECT_EQ(s.LevelTimeTotal, s.LevelTimeLeft);
        s.LevelNumber = 2;
        s.StartLevelTime();
        EXPECT_NEAR(s.LevelTimeLeft, c.second, 1e-9);
        // A level started again (after the shop, or a retry) costs five more seconds.
        s.StartLevelTime();
        EXPECT_NEAR(s.LevelTimeLeft, c.third, 1e-9);
        s.LevelNumber = 1;
        s.StartLevelTime();
        EXPECT_NEAR(s.LevelTimeLeft, c.first, 1e-9) << "a new game restores the base first";
    }
}

TEST(LevelTimeTest, RunsDownOnlyWhileTheBoardIsPlayed) {
    TGameState s;
    s.LevelTimeLeft = 0.25;
    for (int state : {4, 14, 16, 18, 29, 33, 35, 37}) {
        s.ScreenState = uint8_t(state);
        RunLevelClock(s);
        EXPECT_DOUBLE_EQ(s.LevelTimeLeft, 0.25) << state;
    }
    s.ScreenState = 13;
    for (int i = 0; i < 10; ++i) RunLevelClock(s);
    EXPECT_NEAR(s.LevelTimeLeft, -0.05, 1e-9) << "stops once it is not above 0";
}

TEST(LevelClockTest, SandFollowsTheFractionLeftUnclamped) {
    struct Case {
        double left, total;
        float upperScaleX, upperScaleY, upperY, lowerScaleY, lowerY;
    };
    const Case cases[] = {
        // Full: the upper bulb full, the lower empty at its bottom.
        {100, 100, 1, 1, 35, 0, 136},
        {25, 100, 0.5f, 0.25f, 35 + 46 * 0.75f / 2, 0.75f, 120 + 32 * 0.25f / 2},
        // A time bonus with 90 of 100 seconds left stands the sand above full.
        {110, 100, float(std::sqrt(1.1)), 1.1f, 35 - 46 * 0.1f / 2, -0.1f, 120 + 32 * 1.1f / 2},
    };
    for (const Case& c : cases) {
        ClockRig rig(c.total);
        rig.state.LevelTimeLeft = c.left;
        rig.Frame();
        TSprite* upper = rig.clock->UpperSand();
        TSprite* lower = rig.clock->LowerSand();
        EXPECT_NEAR(upper->ScaleX, c.upperScaleX, 1e-5) << c.left;
        EXPECT_NEAR(upper->ScaleY, c.upperScaleY, 1e-5) << c.left;
        EXPECT_NEAR(upper->Y, c.upperY, 1e-4) << c.left;
        EXPECT_NEAR(lower->ScaleY, c.lowerScaleY, 1e-5) << c.left;
        EXPECT_NEAR(lower->Y, c.lowerY, 1e-4) << c.left;
        EXPECT_FLOAT_EQ(upper->X, 25);
        EXPECT_FLOAT_EQ(lower->X, 25);
    }
}

TEST(LevelClockTest, TimeOutKeepsTheLastWidthAndEntersGameOverOnce) {
    ClockRig rig;
    rig.state.LevelTimeLeft = 36;
    rig.Frame();
    rig.state.LevelTimeLeft = 0;
    // The flask may be growing already: time out still ends the game.
    rig.state.UnderlayCleared = 1;
    for (int i = 0; i < 5; ++i) rig.Frame();
    EXPECT_FLOAT_EQ(rig.clock->UpperSand()->ScaleX, 0.6f);
    EXPECT_FLOAT_EQ(rig.clock->UpperSand()->ScaleY, 0);
    EXPECT_FLOAT_EQ(rig.clock->LowerSand()->ScaleY, 1);
    EXPECT_EQ(rig.transitions, std::vector<std::string>{"enter 14"});
    EXPECT_EQ(rig.clock->Sand().System(), nullptr) << "the falling sand stops";
    ASSERT_EQ(rig.Effects("dontpaint").size(), 1u);
    EXPECT_FALSE(rig.Effects("dontpaint")[0]->Emitting());
    EXPECT_EQ(rig.Effects("dontpaint")[0]->ParticleCount(), 0);
}

TEST(LevelClockTest, StartsOneSparkleWhenThePulseComesRound) {
    ClockRig rig;
    EXPECT_EQ(rig.state.GamePaused, 0);
    rig.Frame();
    EXPECT_TRUE(rig.Effects("exampel.pss").empty());
    rig.state.PulseCounter = 0;
    for (int i = 0; i < 4; ++i) rig.Frame();
    EXPECT_EQ(rig.state.PulseCounter, -1);
    auto sparkles = rig.Effects("exampel.pss");
    ASSERT_EQ(sparkles.size(), 1u);
    const bool onAPoint = std::any_of(kSparklePoints.begin(), kSparklePoints.end(), [&](auto p) {
        return p.X == sparkles[0]->X && p.Y == sparkles[0]->Y;
    });
    EXPECT_TRUE(onAPoint) << sparkles[0]->X << "," << sparkles[0]->Y;

    // Over many pulses every point comes up, and nothing else.
    std::set<std::pair<int, int>> seen;
    for (int i = 0; i < 400; ++i) {
        rig.state.PulseCounter = 0;
        rig.Frame();
    }
    for (TXParticleSystem* e : rig.Effects("exampel.pss")) seen.insert({int(e->X), int(e->Y)});
    EXPECT_LE(seen.size(), 20u);
    EXPECT_GE(seen.size(), 15u) << "the draw covers the points";
}

TEST(LevelClockTest, SandStreamsOnlyWhileTheLevelIsPlayed) {
    ClockRig rig;
    rig.Frame();
    TXParticleSystem* sand = rig.clock->Sand().System();
    ASSERT_NE(sand, nullptr);
    EXPECT_EQ(sand->Name, "dontpaint");
    EXPECT_FALSE(rig.clock->SandParked());
    EXPECT_DOUBLE_EQ(sand->X, 15 + 45);
    EXPECT_DOUBLE_EQ(sand->Y, 15 + 75 - 10) << "the move leaves the emitter at the neck";

    for (int state : {18, 33}) {
        rig.state.ScreenState = uint8_t(state);
        rig.Frame();
        EXPECT_TRUE(rig.clock->SandParked());
        EXPECT_DOUBLE_EQ(sand->X, -10);
        EXPECT_DOUBLE_EQ(sand->Y, 0);
    }
    rig.particles.Update(0.01);
    rig.state.ScreenState = 13;
    rig.engine.Draw();
    EXPECT_FALSE(rig.clock->SandParked());
    EXPECT_DOUBLE_EQ(sand->X, 60);
    EXPECT_DOUBLE_EQ(sand->Y, 165);
    EXPECT_DOUBLE_EQ(sand->PrevX(), 60) << "back from off screen without a streak";

    rig.state.UnderlayCleared = 1;
    rig.engine.Draw();
    EXPECT_TRUE(rig.clock->SandParked());
}

TEST(LevelClockTest, HidesWhenThePlayIsLeft) {
    ClockRig rig;
    rig.state.LeavingPlay = 1;
    rig.state.PulseCounter = 0;
    rig.state.LevelTimeLeft = 0;
    rig.Frame();
    for (TSprite* s : {static_cast<TSprite*>(rig.clock), rig.clock->UpperSand(),
                       rig.clock->LowerSand(), rig.clock->Glare()})
        EXPECT_FALSE(s->Visible);
    EXPECT_TRUE(rig.transitions.empty());
    EXPECT_EQ(rig.state.PulseCounter, 0);
}
