#include "objects/Flask.h"
#include "objects/MoleculePart.h"
#include "objects/ObjectSupport.h"
#include "objects/WorldRig.h"
#include <cmath>
#include <gtest/gtest.h>

namespace {

// A level of 24 tiles, as the level setup leaves it.
struct FlaskRig : WorldRig {
    tcolba* flask;
    FlaskRig(int tiles = 24) {
        state.ScreenState = 13;
        state.LevelNumber = 3;
        state.FlaskFillStep = tiles / 120.0;
        state.UnderlayCount = tiles;
        flask = new tcolba(world, 40, 225);
    }
    int Coins(int frames) {
        for (int i = 0; i < frames; ++i) Frame();
        return state.Coins;
    }
};

} // namespace

TEST(FlaskTest, BuildsItsPartsAroundTheFlask) {
    FlaskRig rig;
    EXPECT_EQ(rig.flask->ImageName, "colba");
    TAnimatedSprite* molecule = rig.flask->Molecule();
    EXPECT_EQ(molecule->ImageName, "molecula3");
    EXPECT_FLOAT_EQ(molecule->X, 105);
    EXPECT_FLOAT_EQ(molecule->Y, 310);
    EXPECT_EQ(molecule->DrawMode, 1);
    EXPECT_EQ(molecule->Alpha, 0);
    EXPECT_EQ(molecule->AnimCount, 13);
    EXPECT_EQ(rig.flask->Mixture()->Z, -4);
    EXPECT_EQ(rig.flask->Glare()->Z, 1);
    // Both effects are the flask's to draw, from the middle and the neck of the glass.
    TXParticleSystem* bubbles = rig.flask->Bubbles().System();
    TXParticleSystem* smoke = rig.flask->Smoke().System();
    ASSERT_TRUE(bubbles && smoke);
    EXPECT_EQ(bubbles->Name, "dontpaint");
    EXPECT_EQ(smoke->Name, "dontpaint");
    EXPECT_DOUBLE_EQ(bubbles->X, 105);
    EXPECT_DOUBLE_EQ(bubbles->Y, 294);
    EXPECT_DOUBLE_EQ(smoke->Y, 265);
}

TEST(FlaskTest, MoleculeTurnsAndGainsOpacityAsTilesGo) {
    struct Case {
        int left;
        int alpha;
    };
    // (24 - left) / 24 * 120, rounded.
    const Case cases[] = {{24, 0}, {23, 5}, {12, 60}, {1, 115}, {0, 120}};
    for (const Case& c : cases) {
        FlaskRig rig;
        rig.state.UnderlayCount = c.left;
        rig.Frame();
        rig.Frame();
        EXPECT_EQ(rig.flask->Molecule()->Alpha, c.alpha) << c.left;
        EXPECT_NEAR(rig.flask->Molecule()->Angle, 0.02, 1e-6);
    }
}

TEST(FlaskTest, GrowsOnlyAfterTheLastPartHasArrived) {
    FlaskRig rig;
    rig.state.UnderlayCount = 0;
    rig.state.UnderlayCleared = 1;
    rig.state.PartsDelivered = 0; // parts still in flight
    rig.Frame();
    EXPECT_FLOAT_EQ(rig.flask->Molecule()->ScaleX, 1.0f);
    EXPECT_EQ(rig.flask->Molecule()->Z, 19);
    EXPECT_EQ(rig.flask->Molecule()->Angle, 0);

    rig.state.PartsDelivered = 1;
    int frames = 0;
    while (!rig.state.FlaskGrown && frames < 1000) {
        rig.Frame();
        ++frames;
    }
    EXPECT_EQ(rig.flask->Molecule()->Alpha, 255);
    EXPECT_GE(rig.flask->Molecule()->ScaleX, 1.5f);
    EXPECT_EQ(frames, 18) << "0.5 in steps of 0.03, then one frame to notice";
    EXPECT_EQ(rig.state.LevelDone, 0);
}

TEST(FlaskTest, PaysOneCoinAtTwoSecondsAndCompletesAtThree) {
    FlaskRig rig;
    rig.state.UnderlayCount = 0;
    rig.state.UnderlayCleared = 1;
    rig.state.PartsDelivered = 1;
    rig.state.Coins = 4;
    while (!rig.state.FlaskGrown) rig.Frame();

    // The 100 ms timer holds each value for many frames.
    for (int timer = 0; timer <= 19; ++timer) {
        rig.state.FlaskTimer = timer;
        EXPECT_EQ(rig.Coins(3), 4) << timer;
    }
    rig.state.FlaskTimer = 20;
    EXPECT_EQ(rig.Coins(5), 5);
    EXPECT_EQ(rig.state.FlaskTimer, 21);
    EXPECT_EQ(rig.Effects("vzryvmolekuly.pss").size(), 1u);
    EXPECT_EQ(rig.state.LevelDone, 0);
    rig.state.FlaskTimer = 30;
    EXPECT_EQ(rig.Coins(5), 5);
    EXPECT_EQ(rig.state.LevelDone, 1);
}

TEST(FlaskTest, NoStageCompleteBeforeTheFlaskHasGrown) {
    FlaskRig rig;
    rig.state.UnderlayCleared = 1;
    rig.state.PartsDelivered = 0;
    rig.state.FlaskTimer = 30;
    rig.Frame();
    EXPECT_EQ(rig.state.LevelDone, 0);
}

TEST(FlaskTest, HidesAndStopsItsEffectsWhenThePlayIsLeft) {
    FlaskRig rig;
    rig.Frame();
    rig.state.LeavingPlay = 1;
    rig.Frame();
    for (TSprite* s :
         {static_cast<TSprite*>(rig.flask), static_cast<TSprite*>(rig.flask->Molecule()),
          rig.flask->Mixture(), rig.flask->Glare()})
        EXPECT_FALSE(s->Visible) << s->ImageName;
    // Both stopped with their particles cleared, so the manager lets go of them.
    EXPECT_EQ(rig.flask->Bubbles().System(), nullptr);
    EXPECT_EQ(rig.flask->Smoke().System(), nullptr);
    for (TXParticleSystem* e : rig.Effects("dontpaint")) {
        EXPECT_FALSE(e->Emitting());
        EXPECT_EQ(e->ParticleCount(), 0);
    }
    rig.particles.Update(0.01);
    EXPECT_TRUE(rig.Effects("dontpaint").empty());
    rig.canvas.calls.clear();
    rig.Frame();
    EXPECT_TRUE(rig.canvas.calls.empty());
}

TEST(MoleculePartTest, CyclesThroughEightPictures) {
    FlaskRig rig;
    std::vector<std::string> names;
    for (int i = 0; i < 10; ++i)
        names.push_back(CreateMoleculePart(rig.world, 300, 100)->ImageName);
    EXPECT_EQ(names.front(), "molekul_part1");
    EXPECT_EQ(names[7], "molekul_part8");
    EXPECT_EQ(names[8], "molekul_part1");
    EXPECT_EQ(names[9], "molekul_part2");
    rig.state.ResetForLevelStart();
    EXPECT_EQ(CreateMoleculePart(rig.world, 300, 100)->ImageName, "molekul_part1");
}

TEST(MoleculePartTest, ReachesTheMouthInAboutSixtyTicksFromAnywhere) {
    struct Case {
        float x, y;
        double speed;
    };
    const Case cases[] = {{260, 50, 1.0}, {708, 498, 1.0}, {708, 498, 0.5}, {324, 434, 1.2}};
    for (const Case& c : cases) {
        FlaskRig rig;
        rig.state.SpeedFactor = c.speed;
        tmolekulpart* part = CreateMoleculePart(rig.world, c.x, c.y);
        EXPECT_EQ(part->Z, 9);
        const double stepX = (double(c.x) - 60) / 60 * c.speed;
        EXPECT_NEAR(part->StepX(), stepX, 1e-9);
        EXPECT_NEAR(part->StepY(), std::abs(205 - double(c.y)) / 205 * c.speed, 1e-9);
        int ticks = 0;
        while (!part->IsDead && ticks < 1000) {
            rig.engine.Move(0.001f);
            ++ticks;
        }
        // (X0 - 80) / StepX steps to pass x 80, then the tick that sees it there.
        const double expected = std::ceil((c.x - 80) / stepX) + 1;
        EXPECT_NEAR(ticks, expected, 1) << c.x << "," << c.y;
        EXPECT_NEAR(ticks * c.speed, 60, 6) << "about 60 / SpeedFactor";
        EXPECT_LT(std::abs(part->Y - 205), 4 * part->StepY() + 1e-3)
            << "it holds the mouth's height";
    }
}

TEST(MoleculePartTest, ArrivingRunsTheGoalCheckAndLeavesTheAnswerWhenItDies) {
    struct Case {
        int level, left;
        bool cleared, delivered;
    };
    const Case cases[] = {
        {3, 0, true, true},   // the last tile went before the part arrived
        {3, 2, false, false}, // more tiles to go
        {16, 0, false, true}, // the last level's underlay decides by itself
    };
    for (const Case& c : cases) {
        FlaskRig rig;
        rig.state.LevelNumber = c.level;
        rig.state.UnderlayCount = c.left;
        // Already past the mouth's x 80: it arrives in its first tick, wherever its y is.
        tmolekulpart* part = CreateMoleculePart(rig.world, 79.6f, 400);
        rig.engine.Move(0.001f);
        EXPECT_TRUE(part->IsDead);
        EXPECT_EQ(rig.state.UnderlayCleared != 0, c.cleared) << c.level << " " << c.left;
        EXPECT_EQ(rig.state.PartsDelivered != 0, c.delivered) << c.level << " " << c.left;
        EXPECT_EQ(rig.audio.SoundsPlayed(), std::vector<std::string>{"Sounds/addpart.wav"});
        auto bursts = rig.Effects("vzryvmolekuly.pss");
        ASSERT_EQ(bursts.size(), 1u);
        EXPECT_DOUBLE_EQ(bursts[0]->X, 120);
        EXPECT_DOUBLE_EQ(bursts[0]->Y, 410);
        EXPECT_EQ(part->Trail().System(), nullptr) << "the trail stops with the part";
        // Moved again before it is freed, it does not arrive a second time.
        rig.engine.Move(0.001f);
        EXPECT_EQ(rig.Effects("vzryvmolekuly.pss").size(), 1u);
        rig.engine.Dead();
    }
}

TEST(LevelGoalTest, ClearsTheUnderlayOnlyWhenNoTileIsLeftBeforeTheLastLevel) {
    struct Case {
        int level, left;
        bool cleared;
    };
    const Case cases[] = {
        {1, 0, true}, {15, 0, true}, {15, 1, false}, {16, 0, false}, {4, -1, false}};
    for (const Case& c : cases) {
        TGameState s;
        s.LevelNumber = c.level;
        s.UnderlayCount = c.left;
        RunGoalCheck(s);
        EXPECT_EQ(s.UnderlayCleared != 0, c.cleared) << c.level << " " << c.left;
    }
}
