#include "objects/FlyingBonuses.h"
#include "objects/BonusHelper.h"
#include "objects/HudFrame.h"
#include "objects/LabelBonuses.h"
#include "objects/ObjectsRig.h"
#include <cmath>

namespace {

int EffectsRunning(const ObjectsRig& rig) { return rig.particles.Count(); }

} // namespace

TEST(FlyingBonusTest, TimeBonusAddsTwentySecondsLeavingTheTotal) {
    struct Case {
        double left, total, expectLeft, expectFill;
    };
    for (const Case& c : {Case{5, 100, 25, 0.25}, Case{90, 100, 110, 1.1}}) {
        ObjectsRig rig;
        rig.state.LevelTimeLeft = c.left;
        rig.state.LevelTimeTotal = c.total;
        rig.state.UnderlayCount = 3;
        rig.objects.CreateBonusObject(1, rig.CellX(8), rig.CellY(8));
        TSprite* bonus = rig.objects.Last;
        ASSERT_NE(dynamic_cast<ttime_bonus*>(bonus), nullptr);
        EXPECT_EQ(rig.Sounds(), std::vector<std::string>{"clock"});
        EXPECT_GT(rig.TickUntil([&] { return !rig.Alive(bonus); }), 0);
        EXPECT_DOUBLE_EQ(rig.state.LevelTimeLeft, c.expectLeft);
        EXPECT_DOUBLE_EQ(rig.state.LevelTimeLeft / rig.state.LevelTimeTotal, c.expectFill);
        EXPECT_GT(rig.state.LevelTimeLeft / rig.state.LevelTimeTotal, c.left / c.total);
        EXPECT_EQ(rig.state.UnderlayCleared, 0);
        EXPECT_EQ(EffectsRunning(rig), 1); // the burst at the clock
    }
}

// Every flying kind reaches its counter from every cell at any frame rate the timer allows.
// From the far column the time bonus's step is above its 10-pixel window between about 64
// and 65 frames a second, and a step carrying past the target once left it hovering there.
TEST(FlyingBonusTest, ArrivesFromEveryCellAtEveryFrameRate) {
    struct Sweep {
        int kind;
        double from, to, step;
        int rowStep;
    };
    const Sweep sweeps[] = {
        {1, 0.49, 1.2, 0.01, 1}, {3, 0.49, 1.2, 0.01, 1},    {4, 0.49, 1.2, 0.01, 1},
        {5, 0.49, 1.2, 0.01, 1}, {1, 1.146, 1.2, 0.0001, 8},
    };
    for (const Sweep& w : sweeps) {
        for (double sf = w.from; sf <= w.to + 1e-9; sf += w.step) {
            ObjectsRig rig;
            rig.AddShuffleButtons(2);
            rig.state.SpeedFactor = sf;
            for (int c = w.rowStep == 8 ? 8 : 1; c <= 8; c += 7)
                for (int r = 1; r <= 8; r += w.rowStep) {
                    rig.objects.CreateBonusObject(w.kind, rig.CellX(c), rig.CellY(r));
                    TSprite* bonus = rig.objects.Last;
                    ASSERT_GT(rig.TickUntil([&] { return !rig.Alive(bonus); }, 3000), 0)
                        << "kind " << w.kind << " sf " << sf << " cell " << c << "," << r;
                    if (w.kind == 5) rig.gui.FindControl("G_mix3")->Hide();
                }
        }
    }
}

TEST(FlyingBonusTest, CoinPaysOnceAndKeepsItsSteps) {
    ObjectsRig rig;
    rig.objects.CreateBonusObject(3, rig.CellX(5), rig.CellY(6));
    auto* coin = dynamic_cast<tmoneta_bonus*>(rig.objects.Last);
    ASSERT_NE(coin, nullptr);
    EXPECT_EQ(rig.Sounds(), std::vector<std::string>{"newcoin"});
    EXPECT_DOUBLE_EQ(coin->StepX, std::abs(130.0 - rig.CellX(5)) / 130);
    EXPECT_DOUBLE_EQ(coin->StepY, std::abs(170.0 - rig.CellY(6)) / 170);
    // The frame rate changes during the flight: the coin's pace does not.
    rig.state.SpeedFactor = 0.49;
    const float x0 = coin->X, y0 = coin->Y;
    rig.Tick();
    EXPECT_NEAR(x0 - coin->X, coin->StepX, 1e-4);
    EXPECT_NEAR(y0 - coin->Y, 170.0 / 130 * coin->StepY, 1e-4);

    ASSERT_GT(rig.TickUntil([&] { return coin->IsDead; }), 0);
    EXPECT_EQ(rig.state.Coins, 1);
    // The refill runs an extra move pass before the dead sprite is freed: no second coin.
    rig.engine.Move(0.001f);
    EXPECT_EQ(rig.state.Coins, 1);
}

TEST(FlyingBonusTest, ArrivalRunsTheGoalCheckExceptOnTheLastLevel) {
    struct Case {
        int kind, level, underlay;
        bool cleared;
    };
    const Case cases[] = {
        {3, 15, 0, true},  {1, 15, 0, true},  {5, 15, 0, true},
        {3, 15, 2, false}, {3, 16, 0, false}, {1, 16, 0, false},
        {5, 16, 0, false}, {4, 1, 0, false}, // the crystal runs no check
    };
    for (const Case& c : cases) {
        ObjectsRig rig;
        rig.AddShuffleButtons(2);
        rig.state.LevelNumber = c.level;
        rig.state.UnderlayCount = c.underlay;
        rig.objects.CreateBonusObject(c.kind, rig.CellX(4), rig.CellY(4));
        TSprite* bonus = rig.objects.Last;
        ASSERT_GT(rig.TickUntil([&] { return !rig.Alive(bonus); }), 0);
        EXPECT_EQ(rig.state.UnderlayCleared, c.cleared ? 1 : 0)
            << "kind " << c.kind << " level " << c.level;
    }
}

TEST(FlyingBonusTest, CrystalFeedsTheGaugeOnceBackAtTheColumn) {
    ObjectsRig rig;
    // Left of 215 already: it arrives on its first tick, wherever its height.
    rig.objects.CreateBonusObject(4, 200, 500);
    TSprite* early = rig.objects.Last;
    EXPECT_EQ(rig.Sounds(), std::vector<std::string>{"combogo"});
    rig.Tick();
    EXPECT_TRUE(early->IsDead);
    EXPECT_DOUBLE_EQ(rig.state.ChainMeter, 2);

    rig.objects.CreateBonusObject(4, rig.CellX(8), rig.CellY(1));
    TSprite* crystal = rig.objects.Last;
    float lastX = crystal->X;
    const int ticks = rig.TickUntil([&] {
        EXPECT_LE(crystal->X, lastX); // never back to the right
        lastX = crystal->X;
        return !rig.Alive(crystal);
    });
    EXPECT_NEAR(ticks, 30, 1); // 493 pixels in steps of 493 / 30
    EXPECT_DOUBLE_EQ(rig.state.ChainMeter, 4);
}

TEST(FlyingBonusTest, ShuffleChargeReturnsOneUsedCharge) {
    // All three held: the charge vanishes on its first tick without effect.
    {
        ObjectsRig rig;
        rig.AddShuffleButtons(3);
        rig.objects.CreateBonusObject(5, rig.CellX(3), rig.CellY(3));
        TSprite* charge = rig.objects.Last;
        rig.Tick();
        EXPECT_TRUE(charge->IsDead);
        EXPECT_EQ(EffectsRunning(rig), 0);
        EXPECT_TRUE(rig.Sounds().empty());
    }
    // Two charges race for the one used slot: the nearer restores it, the other vanishes.
    {
        ObjectsRig rig;
        rig.AddShuffleButtons(3);
        rig.gui.FindControl("G_mix2")->Hide();
        rig.objects.CreateBonusObject(5, rig.CellX(1), rig.CellY(2));
        TSprite* near = rig.objects.Last;
        rig.objects.CreateBonusObject(5, rig.CellX(8), rig.CellY(8));
        TSprite* far = rig.objects.Last;
        ASSERT_GT(rig.TickUntil([&] { return near->IsDead; }), 0);
        EXPECT_TRUE(rig.ButtonShown("G_mix2"));
        EXPECT_EQ(EffectsRunning(rig), 1);
        rig.Tick();
        EXPECT_TRUE(far->IsDead);
        EXPECT_GT(std::abs(far->X - 140), 10); // it never got there
        EXPECT_EQ(EffectsRunning(rig), 1);
    }
    // Two used: the first hidden in button order comes back.
    {
        ObjectsRig rig;
        rig.AddShuffleButtons(3);
        rig.gui.FindControl("G_mix1")->Hide();
        rig.gui.FindControl("G_mix3")->Hide();
        rig.objects.CreateBonusObject(5, rig.CellX(2), rig.CellY(2));
        TSprite* charge = rig.objects.Last;
        ASSERT_GT(rig.TickUntil([&] { return charge->IsDead; }), 0);
        EXPECT_TRUE(rig.ButtonShown("G_mix1"));
        EXPECT_FALSE(rig.ButtonShown("G_mix3"));
    }
}

TEST(LabelBonusTest, SetsItsFactorAtOnceAndDriftsAwayFromTheMiddle) {
    struct Case {
        int kind;
        float y;
        double sf;
        float dyPerTick;
        int life; // the alpha falls by 2 x SpeedFactor rounded: 1 or 2 a tick
    };
    const Case cases[] = {
        {6, 100, 0.49, 1, 254},     {6, 300, 0.49, -1, 254}, {6, 255, 1.0, 1, 127},
        {7, 100, 0.49, 0.49f, 254}, {7, 400, 1.0, -1, 127},
    };
    for (const Case& c : cases) {
        ObjectsRig rig;
        rig.state.SpeedFactor = c.sf;
        rig.objects.CreateBonusObject(c.kind, 300, c.y);
        auto* label = dynamic_cast<TLabelBonus*>(rig.objects.Last);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(rig.state.PointMultiplier2, c.kind == 6 ? 2 : 1);
        EXPECT_EQ(rig.state.PointMultiplier5, c.kind == 7 ? 5 : 1);
        EXPECT_EQ(label->Text, c.kind == 6 ? "X2" : "X5");
        EXPECT_EQ(label->Z, 19);
        rig.Tick();
        EXPECT_NEAR(label->Y - c.y, c.dyPerTick, 1e-5);
        const int ticks = rig.TickUntil([&] { return label->IsDead; });
        EXPECT_EQ(ticks + 1, c.life) << "kind " << c.kind;
    }
}

TEST(LevelObjectsTest, KindsWithoutAnObjectMakeNothing) {
    ObjectsRig rig;
    const int before = rig.engine.Count();
    for (int kind : {0, 2, 8, -1}) {
        rig.objects.CreateBonusObject(kind, 300, 300);
        EXPECT_EQ(rig.objects.Last, nullptr);
    }
    for (int item : {0, 9}) {
        rig.objects.CreateSuperBonus(item, 300, 300);
        EXPECT_EQ(rig.objects.Last, nullptr);
    }
    EXPECT_EQ(rig.engine.Count(), before);
}

TEST(LevelObjectsTest, BoardBuildBringsTheGuideAndTheHudFrame) {
    ObjectsRig rig;
    rig.objects.CreateLevelObjects();
    int guides = 0, frames = 0;
    for (TSprite* s : rig.engine.Sprites) {
        if (auto* g = dynamic_cast<tbonus_helper*>(s)) {
            ++guides;
            EXPECT_FLOAT_EQ(g->Squares[1][1]->X, 258);
            EXPECT_FLOAT_EQ(g->Squares[1][1]->Y, 48);
        }
        if (auto* f = dynamic_cast<tzagogulina*>(s)) {
            ++frames;
            EXPECT_FLOAT_EQ(f->X, 30);
            EXPECT_FLOAT_EQ(f->Y, 140);
        }
    }
    EXPECT_EQ(guides, 1);
    EXPECT_EQ(frames, 1);
}
