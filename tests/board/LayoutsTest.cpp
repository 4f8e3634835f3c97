#include "board/Layouts.h"
#include <gtest/gtest.h>

TEST(LayoutTest, TileCountsPerLevel) {
    struct Case {
        int level, tiles, cells;
        TCell sampleWith, sampleWithout; // a cell with the most tiles, a cell with fewer
        int most;
    };
    // Totals follow from each level's shape: centre squares and diamonds of ones, then the
    // same shapes in twos over a full board of ones.
    const Case cases[] = {
        {1, 4, 4, {4, 4}, {3, 4}, 1},     {2, 12, 12, {3, 4}, {3, 3}, 1},
        {3, 16, 16, {3, 3}, {2, 3}, 1},   {4, 24, 24, {2, 4}, {2, 3}, 1},
        {5, 36, 36, {2, 2}, {1, 2}, 1},   {6, 44, 44, {1, 4}, {1, 3}, 1},
        {7, 52, 52, {1, 3}, {1, 2}, 1},   {8, 64, 64, {1, 1}, {0, 0}, 1},
        {9, 68, 64, {4, 4}, {3, 4}, 2},   {10, 76, 64, {3, 4}, {3, 3}, 2},
        {11, 80, 64, {3, 3}, {2, 3}, 2},  {12, 88, 64, {2, 4}, {2, 3}, 2},
        {13, 100, 64, {2, 2}, {1, 2}, 2}, {14, 108, 64, {1, 4}, {1, 3}, 2},
        {15, 116, 64, {1, 3}, {1, 2}, 2}, {16, 128, 64, {1, 1}, {0, 0}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        TUnderlay u = BuildUnderlay(c.level);
        EXPECT_EQ(u.Total(), c.tiles);
        EXPECT_EQ(u.CellsWithTiles(), c.cells);
        EXPECT_EQ(u.Count[c.sampleWith.c][c.sampleWith.r], c.most);
        if (OnBoard(c.sampleWithout))
            EXPECT_EQ(u.Count[c.sampleWithout.c][c.sampleWithout.r], c.most - 1);
    }
}

TEST(LayoutTest, EveryLayoutIsSymmetricAndGrowsWithTheLevel) {
    // Every layout is a centred shape: a typo in one digit breaks a symmetry.
    for (int level = 1; level <= LevelCount; ++level) {
        SCOPED_TRACE(level);
        TUnderlay u = BuildUnderlay(level), before = BuildUnderlay(level - 1);
        for (int c = 1; c <= 8; ++c)
            for (int r = 1; r <= 8; ++r) {
                EXPECT_EQ(u.Count[c][r], u.Count[9 - c][r]);
                EXPECT_EQ(u.Count[c][r], u.Count[c][9 - r]);
                EXPECT_EQ(u.Count[c][r], u.Count[r][c]);
                if (level > 1) EXPECT_GE(u.Count[c][r], before.Count[c][r]);
            }
    }
}

TEST(LayoutTest, LevelsOutsideTheTableUseTheNearestLayout) {
    EXPECT_EQ(&LayoutForLevel(0), &LevelLayouts[0]);
    EXPECT_EQ(&LayoutForLevel(-3), &LevelLayouts[0]);
    EXPECT_EQ(&LayoutForLevel(17), &LevelLayouts[15]);
    EXPECT_EQ(BuildUnderlay(17).Total(), 128);
}

TEST(LayoutTest, TilePictureNames) {
    struct Case {
        int level, count;
        const char* name;
    };
    for (Case c : {Case{1, 1, "podlozhka11"},
                   {4, 2, "podlozhka12"},
                   {5, 1, "podlozhka21"},
                   {9, 2, "podlozhka22"},
                   {10, 1, "podlozhka31"},
                   {14, 2, "podlozhka32"},
                   {15, 1, "podlozhka41"},
                   {16, 2, "podlozhka42"}}) {
        EXPECT_EQ(UnderlayImageName(c.level, c.count), c.name);
    }
}
