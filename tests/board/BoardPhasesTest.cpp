#include "board/BoardPhases.h"
#include "board/BoardModel.h"
#include "board/BoardPicture.h"
#include "board/Matching.h"
#include "board/Refill.h"
#include <gtest/gtest.h>

namespace {

struct TChipPos {
    float x, y;
};
TChipPos At(const TGameState& s, int c, int r) { return {CellX(s, c), CellY(s, r)}; }

int ClearedCells(const TGameState& s) {
    int n = 0;
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r) n += s.MatchMask[c][r] == 0;
    return n;
}

struct TMoveRecord {
    std::vector<int> clearedPerStep;
    int firstBursts = 0;
    TRefillCheck end;
};

// Plays the sprites' part of a move from phase 3 until the move is over, the way the chips,
// the underlay and the combo bar call the board steps.
TMoveRecord RunMove(TGameState& s, TRandom& rng, TUnderlay& underlay) {
    TMoveRecord record;
    for (int step = 0; step < 50; ++step) {
        EXPECT_EQ(s.BoardPhase, PhaseClearing);
        record.clearedPerStep.push_back(ClearedCells(s));
        int ticks = 0;
        while (s.BoardPhase == PhaseClearing && ticks < 1000) {
            ClearingTick(s);
            ++ticks;
        }
        EXPECT_EQ(ticks, 128);
        EXPECT_EQ(s.BoardPhase, PhaseBurst);
        for (int t = 0; t < 100 && s.BoardPhase == PhaseBurst; ++t)
            record.firstBursts += UnderlayTick(s, underlay).firstBurst;
        EXPECT_EQ(s.BoardPhase, PhaseClearing);
        EXPECT_EQ(ClearingTick(s), TClearing::Settled);
        int falling = s.MovingCount;
        for (int c = 1; c <= 8 && s.BoardPhase == PhaseFallTargets; ++c)
            for (int r = 1; r <= 8 && s.BoardPhase == PhaseFallTargets; ++r)
                FallTargetTick(s, {c, r});
        EXPECT_EQ(s.BoardPhase, PhaseMoving);
        EXPECT_EQ(s.MovingCount, falling);
        for (int k = 0; k < falling; ++k) FallChipLanded(s);
        EXPECT_TRUE(RefillDue(s));
        BeginRefill(s);
        UnderlayTick(s, underlay); // the refill's extra sprite step
        FinishRefill(s, rng, 3);
        UnderlayTick(s, underlay);
        record.end = CheckAfterRefill(s, rng, 3);
        if (!record.end.cascade) break;
    }
    return record;
}

} // namespace

TEST(BoardPhasesTest, PressingChipsSelectsAndPicksASwapPartner) {
    TGameState s;
    s.BoardOriginY = 50;
    auto press = [&](int c, int r) {
        s.MouseHeld = 1;
        TChipPos p = At(s, c, r);
        TPress result = PressChip(s, p.x, p.y);
        EXPECT_EQ(s.MouseHeld, 0);
        EXPECT_EQ(s.TickLock, 0);
        return result;
    };
    SetColours(s, kNoMoveBoard);
    EXPECT_EQ(press(3, 3), TPress::Selected);
    EXPECT_EQ(press(5, 3), TPress::Reselected); // two cells away: the selection moves
    EXPECT_EQ(s.SelX1, CellX(s, 5));
    EXPECT_EQ(press(5, 3), TPress::Reselected); // the selected chip again keeps it
    EXPECT_EQ(press(6, 4), TPress::Reselected); // diagonal is not a neighbour
    EXPECT_EQ(s.SwapStarted, 0);
    EXPECT_EQ(press(6, 5), TPress::SwapPartner);
    EXPECT_EQ(s.SwapStarted, 1);
    EXPECT_EQ(s.SwapLocked, 1);
    EXPECT_EQ(s.ColourGrid[6][4], 2); // exchanged at once
    EXPECT_EQ(s.ColourGrid[6][5], 5);
}

TEST(BoardPhasesTest, SwapWithoutLineGoesBackAndScoresNothing) {
    TGameState s;
    TRandom rng(1);
    s.BoardOriginY = 50;
    SetColours(s, kNoMoveBoard);
    s.BonusGrid[2][3] = 3;
    const TWordGrid colours = s.ColourGrid, bonuses = s.BonusGrid;
    TChipPos first = At(s, 2, 3), second = At(s, 3, 3);

    s.MouseHeld = 1;
    PressChip(s, first.x, first.y);
    s.MouseHeld = 1;
    ASSERT_EQ(PressChip(s, second.x, second.y), TPress::SwapPartner);
    EXPECT_FALSE(StartSwapMove(s, second.x, second.y, true)); // the partner already moves
    ASSERT_TRUE(StartSwapMove(s, first.x, first.y, false));
    EXPECT_EQ(s.BoardPhase, PhaseMoving);
    EXPECT_EQ(s.MovePhase, 2);
    SwapChipArrived(s);
    EXPECT_EQ(s.BoardPhase, PhaseMoving);
    SwapChipArrived(s);
    EXPECT_EQ(s.BoardPhase, PhaseCheckSwap);

    ASSERT_EQ(CheckAfterSwap(s, rng), TSwapCheck::SwapBack);
    EXPECT_EQ(s.ColourGrid, colours);
    EXPECT_EQ(s.BonusGrid, bonuses);
    EXPECT_EQ(s.MovePhase, -3);
    SwapBackTargetTaken(s);
    EXPECT_EQ(s.MovePhase, -3);
    SwapBackTargetTaken(s);
    EXPECT_EQ(s.MovePhase, -5);
    SwapBackChipArrived(s);
    EXPECT_EQ(s.BoardPhase, PhaseMoving);
    s.MouseHeld = 1;
    SwapBackChipArrived(s);
    EXPECT_EQ(s.BoardPhase, PhaseWaiting);
    EXPECT_EQ(s.MovePhase, 0);
    EXPECT_EQ(s.FirstSelected, 0);
    EXPECT_EQ(s.SelX1, 0);
    EXPECT_EQ(s.MouseHeld, 0);
    EXPECT_EQ(s.GetScore(), 0);
}

TEST(BoardPhasesTest, FallTargetsThenFalling) {
    TGameState s;
    s.BoardPhase = PhaseFallTargets;
    s.FallGrid[2][1] = 3;
    s.FallGrid[2][2] = 4;
    s.MovePhase = 2;
    EXPECT_EQ(FallTargetTick(s, {5, 5}), std::nullopt);
    EXPECT_EQ(FallTargetTick(s, {2, 2}), 4);
    EXPECT_EQ(s.BoardPhase, PhaseFallTargets);
    EXPECT_EQ(FallTargetTick(s, {2, 1}), 3);
    EXPECT_EQ(s.BoardPhase, PhaseMoving);
    EXPECT_EQ(s.MovePhase, -2);
    EXPECT_EQ(s.MovingCount, 2);
    FallChipLanded(s);
    EXPECT_FALSE(RefillDue(s));
    FallChipLanded(s);
    EXPECT_TRUE(RefillDue(s));

    // Nothing to fall (only row 1 was cleared): the first chip moves the board on.
    TGameState flat;
    flat.BoardPhase = PhaseFallTargets;
    EXPECT_EQ(FallTargetTick(flat, {7, 7}), std::nullopt);
    EXPECT_TRUE(RefillDue(flat));
}

TEST(BoardPhasesTest, UnderlayBurstsTilesOnceAndArmsOnlyBetweenMoves) {
    TGameState s;
    TUnderlay u = BuildUnderlay(9); // ones everywhere, twos in the centre
    s.UnderlayCount = u.CellsWithTiles();
    s.TickLock = 1;
    UnderlayTick(s, u);
    EXPECT_EQ(s.BurstArmed, 0); // phase 0 under TickLock is the refill's step, not a new move
    s.TickLock = 0;
    UnderlayTick(s, u);
    EXPECT_EQ(s.BurstArmed, 1);

    SetMask(s, {"x.......", "........", "........", "...x....", "........", "........", "........",
                "........"});
    s.BoardPhase = PhaseBurst;
    TUnderlayTick first = UnderlayTick(s, u);
    EXPECT_TRUE(first.firstBurst);
    EXPECT_EQ(first.burstCells, (std::vector<TCell>{{1, 1}, {4, 4}}));
    EXPECT_EQ(first.tilesGone, (std::vector<TCell>{{1, 1}}));
    EXPECT_EQ(first.tilesWorn, (std::vector<TCell>{{4, 4}}));
    EXPECT_EQ(s.UnderlayCount, 63);
    for (int t = 2; t <= 15; ++t) {
        TUnderlayTick later = UnderlayTick(s, u);
        EXPECT_FALSE(later.firstBurst);
        EXPECT_TRUE(later.tilesGone.empty() && later.tilesWorn.empty());
    }
    EXPECT_EQ(s.BoardPhase, PhaseBurst);
    UnderlayTick(s, u);
    EXPECT_EQ(s.BoardPhase, PhaseClearing);
    EXPECT_EQ(s.MovingCount, 128);

    // A cascade's burst: the second tile of (4,4) goes, without the first-burst effects.
    UnderlayTick(s, u);
    s.BoardPhase = PhaseBurst;
    TUnderlayTick cascade = UnderlayTick(s, u);
    EXPECT_FALSE(cascade.firstBurst);
    EXPECT_EQ(cascade.tilesGone, (std::vector<TCell>{{4, 4}}));
    EXPECT_TRUE(cascade.tilesWorn.empty());
    EXPECT_EQ(s.UnderlayCleared, 0);
}

TEST(BoardPhasesTest, SuperBonusBurstHasNoExplosionsOfItsOwn) {
    TGameState s;
    TUnderlay u = BuildUnderlay(1);
    UnderlayTick(s, u);
    s.ActiveSuperBonus = 3;
    s.MatchMask[4][4] = 0;
    s.BoardPhase = PhaseBurst;
    TUnderlayTick tick = UnderlayTick(s, u);
    EXPECT_TRUE(tick.firstBurst);
    EXPECT_TRUE(tick.burstCells.empty());
    EXPECT_EQ(tick.tilesGone.size(), 1u);
}

TEST(BoardPhasesTest, LastTileSetsUnderlayCleared) {
    TGameState s;
    TUnderlay u = BuildUnderlay(1);
    SetMask(s, {"........", "........", "........", "...xx...", "...xx...", "........", "........",
                "........"});
    s.BoardPhase = PhaseBurst;
    for (int t = 0; t < 15; ++t) UnderlayTick(s, u);
    EXPECT_EQ(s.UnderlayCount, 0);
    EXPECT_EQ(s.UnderlayCleared, 0); // only once the burst is over
    UnderlayTick(s, u);
    EXPECT_EQ(s.UnderlayCleared, 1);

    TGameState other;
    TUnderlay empty;
    UnderlayTick(other, empty);
    EXPECT_EQ(other.UnderlayCleared, 1);
}

TEST(BoardPhasesTest, PointsLabelsShowOneChipsPoints) {
    TGameState s;
    s.BoardOriginY = 50;
    s.ChainCount = 2;
    s.MatchMask[1][1] = 0;
    s.MatchMask[8][8] = 0;
    auto labels = PointsLabels(s);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].x, 319);
    EXPECT_EQ(labels[0].y, 45);
    EXPECT_EQ(labels[1].x, 767);
    EXPECT_EQ(labels[1].y, 493);
    EXPECT_EQ(labels[1].points, 9);
}

TEST(BoardPhasesTest, MoveWithCascadesScoresByChainStep) {
    // Column 4 rows 6..8 is a line; once it clears, the 4 from (4,2) falls between the 4s at
    // (3,5) and (5,5): at least one cascade on every seed.
    const TPicture colours = {"45123451", "12345123", "34512345", "51234512",
                              "23454234", "45133451", "12335123", "34532345"};
    for (uint64_t seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE(seed);
        TGameState s;
        TRandom rng(seed);
        s.BoardOriginY = 50;
        s.LevelTimeLeft = 235;
        ResetBonusPool(s, rng);
        SetColours(s, colours);
        TUnderlay u = BuildUnderlay(8);
        UnderlayTick(s, u); // the board waited: armed
        s.BoardPhase = PhaseCheckSwap;
        ASSERT_EQ(CheckAfterSwap(s, rng), TSwapCheck::Cleared);
        ASSERT_EQ(ClearedCells(s), 3);

        TMoveRecord move = RunMove(s, rng, u);
        int steps = int(move.clearedPerStep.size());
        ASSERT_GE(steps, 2);
        EXPECT_GE(move.clearedPerStep[1], 3);
        int expected = 0;
        for (int k = 0; k < steps; ++k) expected += 3 * (k + 1) * move.clearedPerStep[k];
        EXPECT_EQ(s.GetScore(), expected);
        EXPECT_EQ(s.ChainCount, steps - 1);
        EXPECT_EQ(s.ComboProgress, 10 * (steps - 1));
        EXPECT_EQ(s.ChainMeter, 2.0);
        EXPECT_TRUE(move.end.chained);
        EXPECT_EQ(move.firstBursts, 1);
        EXPECT_EQ(s.BoardPhase, PhaseWaiting);
        EXPECT_LE(u.Total(), 64 - 6); // two bursts took at least the tiles under the lines
        // The board left behind is complete and has no line.
        for (int c = 1; c <= 8; ++c)
            for (int r = 1; r <= 8; ++r) ASSERT_NE(s.ColourGrid[c][r], 0);
        EXPECT_FALSE(FindMatches(s, rng));

        ASSERT_TRUE(TakeChainForBanner(s));
        EXPECT_EQ(s.ShownChain, steps - 1);
        EXPECT_EQ(s.ChainCount, 0);
        EXPECT_EQ(s.ChainBannerPos, 1020.0);
    }
}

TEST(BoardPhasesTest, EndOfMove) {
    struct Case {
        int chain, buttons;
        bool gameOver, chained;
    };
    for (Case c :
         {Case{0, 0, true, false}, {2, 0, true, true}, {2, 1, false, true}, {0, 3, false, false}}) {
        SCOPED_TRACE(testing::Message() << c.chain << " " << c.buttons);
        TGameState s;
        TRandom rng(1);
        SetColours(s, kNoMoveBoard);
        s.BoardPhase = PhaseCheckRefill;
        s.ChainCount = c.chain;
        s.ChainMeter = 4;
        s.MovingCount = 5;
        TRefillCheck check = CheckAfterRefill(s, rng, c.buttons);
        EXPECT_FALSE(check.cascade);
        EXPECT_EQ(check.gameOver, c.gameOver);
        EXPECT_EQ(check.chained, c.chained);
        EXPECT_EQ(s.ChainMeter, c.chained ? 6.0 : 4.0);
        EXPECT_EQ(s.BoardPhase, PhaseWaiting);
        EXPECT_EQ(s.MovingCount, 0);
        EXPECT_EQ(s.ChainCount, c.chain); // the banner takes it later
        EXPECT_EQ(TakeChainForBanner(s), c.chain > 0);
    }
}

TEST(BoardPhasesTest, FullComboBarPaysOnce) {
    TGameState s;
    s.ComboProgress = 90;
    EXPECT_FALSE(CollectFullComboBar(s));
    s.ComboProgress = 100;
    EXPECT_TRUE(CollectFullComboBar(s));
    EXPECT_EQ(s.GetScore(), 1000);
    EXPECT_EQ(s.ComboProgress, 0);
    EXPECT_FALSE(CollectFullComboBar(s));
}

TEST(BoardPhasesTest, BannerWaitsForTheBoard) {
    TGameState s;
    s.ChainCount = 3;
    s.BoardPhase = PhaseCheckRefill;
    EXPECT_FALSE(TakeChainForBanner(s));
    EXPECT_EQ(s.ChainCount, 3);
}
