#include "board/BoardPhases.h"
#include "board/BoardSpriteRig.h"
#include "board/Matching.h"
#include "board/TBonus.h"
#include "engine/ParticleScript.h"
#include "engine/XParticles.h"
#include <gtest/gtest.h>
#include <numeric>

namespace {

// No line; swapping (3,3) with (4,3) lines up column 4, rows 3 to 5. When they burst, the
// two chips above fall three rows, and the one landing in (4,5) lines up with (5,5) and
// (6,5) and, in column 4, with the chips in rows 4 and 6: at least one cascade. On level 9
// every cell has a tile, (4,4) and (4,5) two, so the cascades never clear the level.
constexpr TPicture kCascadeBoard = {"45123451", "12325123", "34142345", "51214512",
                                    "23412234", "45123451", "12345123", "34512345"};

// Phases in the order frames saw them, each run of one phase once. Settling and the fall
// targets take at most a frame, depending on where the settling chip stands in the list, so
// phase 4 is left out.
struct PhaseLog {
    std::vector<int> phases;
    void Note(int phase) {
        if (phase == PhaseFallTargets) return;
        if (phases.empty() || phases.back() != phase) phases.push_back(phase);
    }
};

// Plays frames until the board waits again with every chip grown and at rest.
PhaseLog PlayOut(BoardRig& rig) {
    PhaseLog log;
    const int frames = rig.RunUntil([&] {
        log.Note(rig.state.BoardPhase);
        if (log.phases.size() < 2 || rig.state.BoardPhase != PhaseWaiting) return false;
        if (rig.state.GrowingCount != 0) return false;
        for (TFishka* chip : rig.Chips())
            if (chip->Moving) return false;
        return true;
    });
    EXPECT_GE(frames, 0) << "the board never came back to waiting";
    return log;
}

// Every cell has exactly one live chip at rest, whose colour and bonus the grids hold.
void ExpectChipsMatchTheGrids(const BoardRig& rig) {
    std::vector<TFishka*> chips = rig.Chips();
    ASSERT_EQ(chips.size(), 64u);
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r) {
            TFishka* chip = rig.ChipAt(c, r);
            ASSERT_NE(chip, nullptr) << c << "," << r;
            EXPECT_EQ(chip->Colour, rig.state.ColourGrid[c][r]) << c << "," << r;
            EXPECT_EQ(chip->BonusIcon->BonusKind, rig.state.BonusGrid[c][r]) << c << "," << r;
            EXPECT_EQ(chip->ImageName, TFishka::StillImage(rig.state.LevelNumber, chip->Colour));
            EXPECT_FLOAT_EQ(chip->ScaleX, 1.0f);
        }
}

} // namespace

TEST(ChipSpriteTest, AMoveWithACascadePlaysThroughTheSprites) {
    BoardRig rig(9);
    rig.Board(kCascadeBoard);
    ExpectChipsMatchTheGrids(rig);
    const TGameState& s = rig.state;

    rig.Press(3, 3);
    EXPECT_TRUE(s.FirstSelected);
    EXPECT_EQ(s.SelX1, CellX(s, 3));
    EXPECT_EQ(s.BoardPhase, PhaseWaiting);
    TFishka* first = rig.ChipAt(3, 3);
    TFishka* second = rig.ChipAt(4, 3);
    rig.Press(4, 3);
    EXPECT_EQ(s.BoardPhase, PhaseMoving);
    EXPECT_EQ(s.MouseHeld, 0);
    EXPECT_TRUE(first->Moving && second->Moving);
    rig.Frame();
    EXPECT_EQ(first->ImageName, TFishka::MovingImage(9, 1));
    EXPECT_EQ(second->ImageName, TFishka::MovingImage(9, 4));

    PhaseLog log = PlayOut(rig);
    // Swap, check, burst timer, burst, fall, the refill's check and at least one cascade
    // through the same steps; at last waiting.
    const std::vector<int> start = {PhaseMoving, PhaseCheckSwap,   PhaseClearing, PhaseBurst,
                                    PhaseMoving, PhaseCheckRefill, PhaseClearing, PhaseBurst,
                                    PhaseMoving, PhaseCheckRefill};
    ASSERT_GE(log.phases.size(), start.size());
    EXPECT_EQ(std::vector<int>(log.phases.begin(), log.phases.begin() + start.size()), start);
    EXPECT_EQ(log.phases.back(), PhaseWaiting);

    EXPECT_GE(s.ChainCount, 1);
    EXPECT_EQ(s.ComboProgress, 10 * s.ChainCount);
    // Every cleared chip was paid when its cell was refilled, at the points its label showed.
    const int labelled = std::accumulate(rig.hooks.money.begin(), rig.hooks.money.end(), 0,
                                         [](int sum, const auto& m) { return sum + m.n; });
    EXPECT_EQ(s.GetScore(), labelled);
    EXPECT_EQ(rig.hooks.money[0], (RecordingHooks::TPlaced{3, CellX(s, 4) + 59, CellY(s, 3) - 5}));
    // Explosions belong to the move's first burst only: the three swapped-in line.
    const std::vector<RecordingHooks::TPlaced> explosions = {{0, CellX(s, 4), CellY(s, 3)},
                                                             {0, CellX(s, 4), CellY(s, 4)},
                                                             {0, CellX(s, 4), CellY(s, 5)}};
    EXPECT_EQ(rig.hooks.explosions, explosions);
    // The first burst took the one tile of (4,3) and wore those of (4,4) and (4,5), which
    // the cascade then took.
    auto tile = [&](int c, int r) {
        return RecordingHooks::TPlaced{0, CellX(s, c) - 2, CellY(s, r)};
    };
    ASSERT_GE(rig.hooks.molecules.size(), 6u);
    EXPECT_EQ(rig.hooks.molecules[0], tile(4, 3));
    EXPECT_EQ(rig.hooks.molecules[1], tile(4, 4));
    EXPECT_EQ(rig.hooks.molecules[2], tile(4, 5));
    int hidden = 0;
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r) hidden += !rig.underlay()->Tiles[c][r]->Visible;
    EXPECT_EQ(size_t(hidden), rig.hooks.molecules.size());
    EXPECT_EQ(s.UnderlayCount, 64 - hidden);
    EXPECT_EQ(s.UnderlayCleared, 0);

    ExpectChipsMatchTheGrids(rig);
    EXPECT_EQ(s.FirstSelected, 0);
    EXPECT_EQ(s.MovePhase, 0);
    EXPECT_EQ(s.TickLock, 0);
    TGameState copy = s;
    TRandom rng(1);
    EXPECT_FALSE(FindMatches(copy, rng)) << "a line was left on the board";
}

TEST(ChipSpriteTest, AVoidSwapGlidesBackWithNothingScored) {
    // At 70 frames a second a step lands exactly on the target, at 100 it never does.
    for (double speed : {1.0, 0.49, 1.2}) {
        BoardRig rig;
        rig.state.SpeedFactor = speed;
        rig.Board(kNoMoveBoard);
        const TWordGrid colours = rig.state.ColourGrid;
        TFishka* upper = rig.ChipAt(2, 2);
        TFishka* lower = rig.ChipAt(2, 3);
        rig.Press(2, 2);
        rig.Press(2, 3);

        bool sawSwapped = false;
        PhaseLog log;
        rig.RunUntil([&] {
            log.Note(rig.state.BoardPhase);
            if (rig.state.BoardPhase == PhaseCheckSwap)
                sawSwapped = upper->Y == CellY(rig.state, 3) && lower->Y == CellY(rig.state, 2);
            return log.phases.size() > 1 && rig.state.BoardPhase == PhaseWaiting;
        });
        EXPECT_EQ(log.phases,
                  (std::vector<int>{PhaseMoving, PhaseCheckSwap, PhaseMoving, PhaseWaiting}))
            << speed;
        EXPECT_TRUE(sawSwapped) << speed;
        EXPECT_EQ(rig.ChipAt(2, 2), upper) << speed;
        EXPECT_EQ(rig.ChipAt(2, 3), lower) << speed;
        EXPECT_EQ(rig.state.ColourGrid, colours) << speed;
        EXPECT_EQ(rig.state.GetScore(), 0);
        EXPECT_TRUE(rig.hooks.money.empty());
        EXPECT_EQ(rig.state.MouseHeld, 0);
        EXPECT_EQ(rig.state.SwapLocked, 0);
        EXPECT_FALSE(upper->Moving || lower->Moving);
        rig.Frames(3);
        ExpectChipsMatchTheGrids(rig);
    }
}

TEST(ChipSpriteTest, ImagesFollowTheLevelAndTheColour) {
    struct Case {
        int level, colour;
        const char* still;
    };
    const Case cases[] = {
        {1, 1, "f1"}, {1, 5, "f5"}, {2, 1, "f2"}, {11, 5, "f15"}, {12, 5, "f1"}, {16, 3, "f3"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TFishka::StillImage(c.level, c.colour), c.still) << c.level << "/" << c.colour;
        EXPECT_EQ(TFishka::MovingImage(c.level, c.colour), std::string(c.still) + "g");
    }

    BoardRig rig(12);
    auto* chip = new TFishka(rig.engine.get(), rig.world, 324, 114, 5, 6, 260, 50);
    EXPECT_EQ(chip->ImageName, "f1g");
    EXPECT_TRUE(chip->DoAnimate);
    EXPECT_FLOAT_EQ(chip->ScaleX, 0.1f);
    EXPECT_EQ(chip->Z, 2);
    EXPECT_EQ(rig.state.GrowingCount, 1);
    TBonus* badge = chip->BonusIcon;
    EXPECT_EQ(badge->ImageName, "bonuss6");
    EXPECT_EQ(badge->Z, 3);
    EXPECT_FLOAT_EQ(badge->X, 354);
    EXPECT_FLOAT_EQ(badge->Y, 144);
    EXPECT_TRUE(badge->Visible);
    rig.RunUntil([&] { return rig.state.GrowingCount == 0; });
    EXPECT_EQ(chip->ImageName, "f1");
    EXPECT_FALSE(chip->DoAnimate);
    EXPECT_FLOAT_EQ(badge->ScaleX, 1.0f);
    // Growing in and writing its cell: the chip stands on (2, 2).
    EXPECT_EQ(rig.state.ColourGrid[2][2], 5);
    EXPECT_EQ(rig.state.BonusGrid[2][2], 6);

    // Removed with the chip; a chip without a bonus shows no badge.
    chip->Dead();
    EXPECT_TRUE(badge->IsDead);
    auto* plain = new TFishka(rig.engine.get(), rig.world, 260, 50, 1, 0, 260, 50);
    EXPECT_FALSE(plain->BonusIcon->Visible);
    rig.engine->Dead();
    // A chip taken before it grew in does not hold the board's checks back.
    plain->Dead();
    EXPECT_EQ(rig.state.GrowingCount, 0);
}

TEST(ChipSpriteTest, SelectionFollowsThePressesOnlyWhileTheBoardWaits) {
    BoardRig rig;
    rig.Board(kNoMoveBoard, false);
    const TGameState& s = rig.state;
    rig.Press(3, 3);
    EXPECT_EQ(s.SelX1, CellX(s, 3));
    // Two cells away: the selection moves there and nothing swaps.
    rig.Press(5, 3);
    EXPECT_EQ(s.SelX1, CellX(s, 5));
    EXPECT_EQ(s.SelY1, CellY(s, 3));
    EXPECT_TRUE(s.FirstSelected);
    EXPECT_EQ(s.BoardPhase, PhaseWaiting);
    EXPECT_EQ(rig.ChipAt(5, 3)->ImageName, "f" + std::to_string(kNoMoveBoard[2][4] - '0'));
    // The selected chip pulses even with the pointer gone; the old one is still.
    rig.PointAt(8, 8);
    rig.Frame();
    EXPECT_TRUE(rig.ChipAt(5, 3)->DoAnimate);
    EXPECT_FALSE(rig.ChipAt(3, 3)->DoAnimate);
    // Pressed again, it stays selected.
    rig.Press(5, 3);
    EXPECT_EQ(s.SelX1, CellX(s, 5));
    EXPECT_EQ(s.BoardPhase, PhaseWaiting);
    for (TFishka* chip : rig.Chips()) EXPECT_FALSE(chip->Moving);

    // While the board is busy a press stays pending and nothing is selected.
    rig.state.BoardPhase = PhaseCheckSwap;
    rig.Press(4, 3);
    EXPECT_EQ(s.MouseHeld, 1);
    EXPECT_EQ(s.SelX1, CellX(s, 5));
    for (TFishka* chip : rig.Chips()) EXPECT_FALSE(chip->Moving);
}

TEST(ChipSpriteTest, AnArmedItemIsPlacedWithTheLeftButtonOnly) {
    for (bool rightButton : {true, false}) {
        BoardRig rig;
        rig.Board(kNoMoveBoard, false);
        rig.cursor->SetImageName("itemz3");
        rig.cursor->ScaleX = rig.cursor->ScaleY = 0.6f;
        // An item's own point (20, 20) lies under the mouse; the board tests the cursor's corner.
        rig.window.mouseX = int(CellX(rig.state, 6)) + 52;
        rig.window.mouseY = int(CellY(rig.state, 2)) + 52;
        rig.Frame();
        rig.state.MouseHeld = 1;
        rig.state.RightButtonHeld = rightButton;
        rig.Frame();
        if (rightButton) {
            EXPECT_TRUE(rig.hooks.superBonuses.empty());
            EXPECT_EQ(rig.cursor->ImageName, "itemz3");
            EXPECT_EQ(rig.state.MouseHeld, 1);
            continue;
        }
        EXPECT_EQ(rig.hooks.superBonuses, (std::vector<RecordingHooks::TPlaced>{
                                              {3, CellX(rig.state, 6), CellY(rig.state, 2)}}));
        EXPECT_EQ(rig.cursor->ImageName, "cursor");
        EXPECT_FLOAT_EQ(rig.cursor->ScaleX, 1.0f);
        EXPECT_EQ(rig.state.ActiveSuperBonus, 3);
        EXPECT_EQ(rig.state.SwapLocked, 1);
        EXPECT_EQ(rig.state.MouseHeld, 0);
        EXPECT_FALSE(rig.state.FirstSelected) << "placing an item selects nothing";
    }
}

TEST(ChipSpriteTest, ASuperBonusTakesTheMarkedChipsWithTheirBonusObjects) {
    BoardRig rig;
    rig.Board(kNoMoveBoard, false);
    TFishka* marked = rig.ChipAt(3, 4);
    marked->BonusIcon->BonusKind = 3; // a coin
    TFishka* blast = rig.ChipAt(6, 6);
    blast->BonusIcon->BonusKind = 2;
    rig.state.ActiveSuperBonus = 2;
    rig.state.BoardPhase = PhaseSuperBonus;
    SetMask(rig.state, {"........", "........", "........", "..x.....", "........", ".....x..",
                        "........", "........"});
    rig.Frame();
    EXPECT_TRUE(marked->IsDead);
    EXPECT_TRUE(blast->IsDead);
    EXPECT_EQ(rig.Chips().size(), 62u);
    // The blast bonus has no object of its own.
    EXPECT_EQ(rig.hooks.bonusObjects, (std::vector<RecordingHooks::TPlaced>{
                                          {3, CellX(rig.state, 3), CellY(rig.state, 4)}}));
}

TEST(ChipSpriteTest, ChipsLeaveWhenTheLevelEnds) {
    BoardRig rig;
    rig.Board(kNoMoveBoard);
    rig.state.LevelDone = 1;
    rig.Frame();
    EXPECT_TRUE(rig.Chips().empty());
    rig.Frame();
    EXPECT_TRUE(rig.Live<TBonus>().empty());
}

TEST(ChipSpriteTest, OnlyABadgeSparklesAndItsSparkleStopsWithTheChip) {
    BoardRig rig;
    TXParticleManager particles(nullptr, rig.rng);
    TParticleScript glow;
    glow.EmitRate = 40;
    glow.SystemLife = 100000;
    glow.LifeMin = glow.LifeMax = 0.5f;
    particles.AddScript("exampel1.pss", SerializeParticleScript(glow));
    rig.world.Particles = &particles;

    auto* plain = new TFishka(rig.engine.get(), rig.world, 260, 50, 1, 0, 260, 50);
    EXPECT_EQ(particles.Count(), 0) << "no effect spent on a chip without a bonus";
    auto* chip = new TFishka(rig.engine.get(), rig.world, 324, 50, 2, 4, 260, 50);
    ASSERT_EQ(particles.Count(), 1);
    TXParticleSystem* sparkle = particles.Items(0);
    EXPECT_EQ(sparkle->Name, "dontpaint") << "the badge draws it itself";

    // Off the screen, then for the last 100 ticks of each round on a circle about the badge.
    TBonus* badge = chip->BonusIcon;
    badge->SparkleTimer = 150;
    rig.Frame();
    EXPECT_EQ(sparkle->X, -10);
    badge->SparkleTimer = 50;
    badge->Angle = 0;
    rig.Frame();
    EXPECT_NEAR(sparkle->X, badge->X, 0.01);
    EXPECT_NEAR(sparkle->Y, badge->Y - 28, 0.01);

    chip->Dead();
    plain->Dead();
    EXPECT_FALSE(sparkle->Emitting());
    rig.engine->Dead();
}
