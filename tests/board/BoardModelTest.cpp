#include "board/BoardModel.h"
#include "board/Matching.h"
#include <gtest/gtest.h>
#include <set>

namespace {

bool HasLine(const TBoardArray<int>& t) {
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r) {
            if (c <= 6 && t[c][r] == t[c + 1][r] && t[c][r] == t[c + 2][r]) return true;
            if (r <= 6 && t[c][r] == t[c][r + 1] && t[c][r] == t[c][r + 2]) return true;
        }
    return false;
}

} // namespace

TEST(BoardFillTest, InitialFillHasNoLineAndUsesAllColours) {
    std::set<int> seen;
    for (uint64_t seed = 1; seed <= 2000; ++seed) {
        TRandom rng(seed);
        TBoardArray<int> t = FillInitialColours(rng);
        ASSERT_FALSE(HasLine(t)) << "seed " << seed;
        for (int c = 1; c <= 8; ++c)
            for (int r = 1; r <= 8; ++r) {
                ASSERT_GE(t[c][r], 1);
                ASSERT_LE(t[c][r], 5);
                seen.insert(t[c][r]);
            }
        // The border stays empty.
        ASSERT_EQ(t[0][3] + t[9][3] + t[3][0] + t[3][9], 0);
    }
    EXPECT_EQ(seen.size(), 5u);
}

TEST(BoardBonusTest, PoolPerDifficulty) {
    struct Case {
        uint8_t difficulty;
        std::array<int, 8> pool;
        int total;
    };
    for (Case c : {Case{0, {0, 3, 9, 3, 9, 3, 6, 3}, 36},
                   {1, {0, 2, 6, 2, 6, 2, 4, 2}, 24},
                   {2, {0, 1, 3, 1, 3, 1, 2, 1}, 12}}) {
        TGameState s;
        TRandom rng(3);
        s.Difficulty = c.difficulty;
        s.LevelTimeLeft = 235;
        ResetBonusPool(s, rng);
        EXPECT_EQ(s.BonusPool, c.pool);
        EXPECT_EQ(s.BonusPoolTotal, c.total);
    }
}

TEST(BoardBonusTest, CooldownFollowsTheLevelTime) {
    struct Case {
        double timeLeft;
        std::set<int> cooldowns;
    };
    // 235 / 40 rounds to 6; 100 / 40 = 2.5 rounds to even (2); no time left gives Random(0).
    for (const Case& c : {Case{235, {8, 16, 24, 32, 40, 48}}, Case{100, {8, 16}}, Case{-1, {8}}}) {
        SCOPED_TRACE(c.timeLeft);
        std::set<int> seen;
        TGameState s;
        s.LevelTimeLeft = c.timeLeft;
        for (uint64_t seed = 1; seed <= 300; ++seed) {
            TRandom rng(seed);
            ResetBonusPool(s, rng);
            seen.insert(s.BonusCooldown);
        }
        EXPECT_EQ(seen, c.cooldowns);
    }
}

TEST(BoardBonusTest, DrawsEmptyThePoolExactly) {
    for (uint8_t difficulty : {0, 1, 2}) {
        TGameState s;
        TRandom rng(difficulty + 10);
        s.Difficulty = difficulty;
        s.LevelTimeLeft = 235;
        ResetBonusPool(s, rng);
        std::array<int, 8> expected = s.BonusPool, drawn{};
        int total = s.BonusPoolTotal;
        for (int i = 0; i < total; ++i) {
            s.BonusCooldown = 0;
            int kind = DrawBonusKind(s, rng, 0);
            ASSERT_GE(kind, 1);
            ASSERT_LE(kind, 7);
            ++drawn[kind];
            EXPECT_GE(s.BonusCooldown, 8); // drawn again after every bonus
        }
        EXPECT_EQ(drawn, expected);
        s.BonusCooldown = 0;
        EXPECT_EQ(DrawBonusKind(s, rng, 0), 0);
    }
}

TEST(BoardBonusTest, CooldownDrawsGiveNoBonusAndCountDown) {
    TGameState s;
    TRandom rng(1);
    s.BonusPool = {0, 1, 1, 1, 1, 1, 1, 1};
    s.BonusCooldown = 3;
    for (int left : {2, 1, 0}) {
        EXPECT_EQ(DrawBonusKind(s, rng, 0), 0);
        EXPECT_EQ(s.BonusCooldown, left);
    }
    EXPECT_NE(DrawBonusKind(s, rng, 0), 0);
}

TEST(BoardBonusTest, ShuffleBonusIsWithheldWhileAllShuffleButtonsAreShown) {
    struct Case {
        int buttonsShown, expected;
    };
    for (Case c : {Case{3, 0}, {2, 5}, {0, 5}}) {
        TGameState s;
        TRandom rng(1);
        s.BonusPool = {0, 0, 0, 0, 0, 1, 0, 0};
        EXPECT_EQ(DrawBonusKind(s, rng, c.buttonsShown), c.expected);
        EXPECT_EQ(s.BonusPool[5], 0); // taken from the pool either way
    }
}

TEST(BoardBuildTest, BuildsALineFreeBoardWithTheLevelsUnderlay) {
    TGameState s;
    TRandom rng(42);
    s.ResetForLevelStart();
    s.LevelTimeLeft = 235;
    s.PointMultiplier2 = 2;
    s.ComboProgress = 50;
    s.MouseHeld = 1;
    ResetBonusPool(s, rng);
    TBoardBuild build = BuildBoard(s, rng, 3);

    EXPECT_EQ(build.underlay.Total(), 4);
    EXPECT_EQ(s.UnderlayCount, 4);
    EXPECT_DOUBLE_EQ(s.FlaskFillStep, 4 / 120.0);
    EXPECT_EQ(s.PointMultiplier2, 1);
    EXPECT_EQ(s.ComboProgress, 0);
    EXPECT_EQ(s.MouseHeld, 0);
    ASSERT_EQ(build.chips.size(), 64u);
    // Created row by row; the grids hold what the chips hold.
    EXPECT_EQ(build.chips[1].cell, (TCell{2, 1}));
    EXPECT_EQ(build.chips[8].cell, (TCell{1, 2}));
    int bonuses = 0;
    for (const TNewChip& chip : build.chips) {
        EXPECT_EQ(s.ColourGrid[chip.cell.c][chip.cell.r], chip.colour);
        EXPECT_EQ(s.BonusGrid[chip.cell.c][chip.cell.r], chip.bonusKind);
        EXPECT_NE(chip.bonusKind, 5); // all shuffle buttons are still there
        bonuses += chip.bonusKind != 0;
    }
    // Cooldowns of at least 8 chips between bonuses.
    EXPECT_LE(bonuses, 64 / 9 + 1);
    EXPECT_FALSE(FindMatches(s, rng));
}

TEST(BoardShuffleTest, ShuffleRemovesEveryChipAndDealsANewBoard) {
    TGameState s;
    TRandom rng(5);
    s.BoardPhase = PhaseMoving;
    EXPECT_FALSE(StartShuffle(s));
    EXPECT_EQ(s.BoardPhase, PhaseMoving);

    s.BoardPhase = PhaseWaiting;
    s.MouseHeld = 1;
    ASSERT_TRUE(StartShuffle(s));
    EXPECT_EQ(s.BoardPhase, PhaseShuffle);
    EXPECT_EQ(s.MouseHeld, 0);
    for (int chip = 0; chip < 63; ++chip) ChipShuffleTick(s);
    EXPECT_FALSE(FinishShuffle(s, rng, 2)); // one chip still there
    ChipShuffleTick(s);
    auto chips = FinishShuffle(s, rng, 2);
    ASSERT_TRUE(chips);
    EXPECT_EQ(chips->size(), 64u);
    EXPECT_EQ(s.BoardPhase, PhaseWaiting);
    EXPECT_FALSE(FindMatches(s, rng));
    EXPECT_FALSE(FinishShuffle(s, rng, 2)); // only once
}
