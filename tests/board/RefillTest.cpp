#include "board/Refill.h"
#include "board/BoardPicture.h"
#include <gtest/gtest.h>

namespace {

// One column's MatchMask, rows 1..8 ('x' cleared).
void SetColumnMask(TGameState& s, int c, std::string_view rows) {
    for (int r = 1; r <= 8; ++r) s.MatchMask[c][r] = rows[r - 1] == 'x' ? 0 : 1;
}

std::string ColumnMask(const TGameState& s, int c) {
    std::string rows;
    for (int r = 1; r <= 8; ++r) rows += s.MatchMask[c][r] == 0 ? 'x' : '.';
    return rows;
}

std::string ColumnFalls(const TGameState& s, int c) {
    std::string rows;
    for (int r = 1; r <= 8; ++r) rows += char('0' + s.FallGrid[c][r]);
    return rows;
}

} // namespace

TEST(BoardRefillTest, SettleColumns) {
    struct Case {
        const char* cleared;
        const char* falls; // target row per row, 0 stays
        const char* after;
        int falling;
    };
    const Case cases[] = {
        {"........", "00000000", "........", 0}, {"x.......", "00000000", "x.......", 0},
        {".....xxx", "45678000", "xxx.....", 5}, {".x..x...", "30450000", "xx......", 3},
        {"x.x.x.x.", "05060700", "xxxx....", 3}, {"xxxxxxxx", "00000000", "xxxxxxxx", 0},
        {"...x...x", "34506780", "xx......", 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cleared);
        TGameState s;
        SetColours(s, kNoMoveBoard);
        s.FallGrid[3][1] = 7; // stale, must go
        SetColumnMask(s, 3, c.cleared);
        SettleColumns(s);
        EXPECT_EQ(ColumnFalls(s, 3), c.falls);
        EXPECT_EQ(ColumnMask(s, 3), c.after);
        EXPECT_EQ(s.MovePhase, c.falling);
        EXPECT_EQ(ColumnMask(s, 2), "........");

        // The kept chips keep their order and end at the bottom of the column.
        std::string kept;
        for (int r = 1; r <= 8; ++r)
            if (c.cleared[r - 1] != 'x') kept += char('0' + s.ColourGrid[3][r]);
        ApplyFalls(s);
        std::string bottom;
        for (int r = 9 - int(kept.size()); r <= 8; ++r) bottom += char('0' + s.ColourGrid[3][r]);
        EXPECT_EQ(bottom, kept);
    }
}

TEST(BoardRefillTest, FallsCarryTheBonusKinds) {
    TGameState s;
    SetColours(s, kNoMoveBoard);
    s.BonusGrid[5][2] = 6;
    SetColumnMask(s, 5, "....xx..");
    SettleColumns(s);
    ApplyFalls(s);
    EXPECT_EQ(s.BonusGrid[5][4], 6);
    EXPECT_EQ(s.ColourGrid[5][4], 5); // the colour of (5, 2) on the no-move board
}

TEST(BoardRefillTest, InnerCellsAvoidTheirNeighbours) {
    // A 3x3 block in the middle and the top of column 1 are empty.
    const TPicture cleared = {"x.......", "x.......", "........", "...xxx..",
                              "...xxx..", "...xxx..", "........", "........"};
    bool edgeMatchedNeighbour = false;
    for (uint64_t seed = 1; seed <= 300; ++seed) {
        TGameState s;
        TRandom rng(seed);
        SetColours(s, kNoMoveBoard);
        SetMask(s, cleared);
        TBoardArray<int> t = ChooseRefillColours(s, rng);
        for (int c = 1; c <= 8; ++c)
            for (int r = 1; r <= 8; ++r) {
                if (s.MatchMask[c][r] != 0) {
                    ASSERT_EQ(t[c][r], s.ColourGrid[c][r]);
                    continue;
                }
                ASSERT_GE(t[c][r], 1);
                ASSERT_LE(t[c][r], 5);
                if (c == 1) {
                    edgeMatchedNeighbour |= t[c][r] == t[c][r + 1] || t[c][r] == t[c + 1][r];
                    continue;
                }
                // Cells below and to the right were final when this one was chosen; above and
                // left only when they were not refilled after it.
                ASSERT_NE(t[c][r], t[c][r + 1]) << seed;
                ASSERT_NE(t[c][r], t[c + 1][r]) << seed;
                if (s.MatchMask[c][r - 1]) ASSERT_NE(t[c][r], t[c][r - 1]) << seed;
                if (s.MatchMask[c - 1][r]) ASSERT_NE(t[c][r], t[c - 1][r]) << seed;
            }
    }
    EXPECT_TRUE(edgeMatchedNeighbour); // edge cells are drawn freely
}

TEST(BoardRefillTest, InnerCellKeepsTheLastChosenColourWhenItFits) {
    // Column 5 is visited before column 3. (5,5)'s neighbours leave it 1 or 5; (3,3)'s refuse
    // 1, 2 and 4, so a 5 carries over to it without a new draw.
    const TPicture colours = {"45123451", "12145123", "34112345", "51214512",
                              "23422234", "45123451", "12345123", "34512345"};
    int carried = 0;
    for (uint64_t seed = 1; seed <= 200; ++seed) {
        TGameState s;
        TRandom rng(seed);
        SetColours(s, colours);
        s.MatchMask[3][3] = 0;
        s.MatchMask[5][5] = 0;
        TBoardArray<int> t = ChooseRefillColours(s, rng);
        ASSERT_TRUE(t[5][5] == 1 || t[5][5] == 5);
        ASSERT_TRUE(t[3][3] == 3 || t[3][3] == 5);
        if (t[5][5] == 5) {
            EXPECT_EQ(t[3][3], t[5][5]) << seed;
            ++carried;
        }
    }
    EXPECT_GT(carried, 0);
}

TEST(BoardRefillTest, ScoresEveryRefilledCell) {
    struct Case {
        int chain, x2, x5, perCell;
    };
    for (Case c : {Case{0, 1, 1, 3}, {1, 1, 1, 6}, {2, 1, 1, 9}, {0, 2, 1, 6}, {1, 2, 5, 60}}) {
        SCOPED_TRACE(testing::Message() << c.chain << " " << c.x2 << " " << c.x5);
        TGameState s;
        TRandom rng(7);
        SetColours(s, kNoMoveBoard);
        s.SetScore(100);
        s.ChainCount = c.chain;
        s.PointMultiplier2 = c.x2;
        s.PointMultiplier5 = c.x5;
        s.ActiveSuperBonus = 4;
        s.BonusCooldown = 100;
        s.MovingCount = 0;
        s.FirstSelected = 1;
        s.SelX1 = 300;
        s.FallGrid[2][2] = 5;
        SetMask(s, {"x.......", "x......x", "........", "........", "....x...", "........",
                    "........", "...x...."});
        BeginRefill(s);
        EXPECT_EQ(s.BoardPhase, PhaseWaiting);
        EXPECT_EQ(s.TickLock, 1);
        std::vector<TNewChip> chips = FinishRefill(s, rng, 3);

        EXPECT_EQ(s.GetScore(), 100 + 5 * c.perCell);
        ASSERT_EQ(chips.size(), 5u);
        // Column order, rows top to bottom within a column.
        EXPECT_EQ(chips[0].cell, (TCell{1, 1}));
        EXPECT_EQ(chips[1].cell, (TCell{1, 2}));
        EXPECT_EQ(chips[2].cell, (TCell{4, 8}));
        EXPECT_EQ(chips[4].cell, (TCell{8, 2}));
        for (const TNewChip& chip : chips) {
            EXPECT_EQ(s.ColourGrid[chip.cell.c][chip.cell.r], chip.colour);
            EXPECT_EQ(chip.bonusKind, 0); // still cooling down
        }
        EXPECT_EQ(s.BonusCooldown, 95);
        EXPECT_EQ(s.ActiveSuperBonus, 0);
        EXPECT_EQ(s.PointMultiplier2, 1);
        EXPECT_EQ(s.PointMultiplier5, 1);
        EXPECT_EQ(s.BoardPhase, PhaseCheckRefill);
        EXPECT_EQ(s.TickLock, 0);
        EXPECT_EQ(s.FirstSelected, 0);
        EXPECT_EQ(s.SelX1, 0);
        EXPECT_EQ(s.FallGrid[2][2], 0);
        EXPECT_EQ(s.MatchMask[1][1], 1);
    }
}
