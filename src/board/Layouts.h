#pragma once
#include "shell/GameState.h"
#include <array>
#include <string>
#include <string_view>

inline constexpr int LevelCount = 16;

// Underlay tiles per cell, level by level: 8 column strings (column 1 first), character j of
// a string is row j, each digit the tile count 0..2 of that cell.
using TLayout = std::array<std::string_view, BoardSize>;
extern const std::array<TLayout, LevelCount> LevelLayouts;

// The layout of a level; levels outside 1..16 use the nearest one, so a stray level number
// can never index past the table.
const TLayout& LayoutForLevel(int level);

// The tiles of one level's underlay (the podlarray sprite keeps one of these).
struct TUnderlay {
    TBoardArray<int> Count{}; // [column][row], 0..2
    int BurstTimer = 0;       // ticks spent in phase 8
    int Total() const;
    int CellsWithTiles() const;
};

// Counts parsed digit by digit from the level's layout.
TUnderlay BuildUnderlay(int level);

// Tile picture for a count above 0: "podlozhka" + set + count, the set being
// trunc(level / 5) + 1 (levels 1-4 set 1, 5-9 set 2, 10-14 set 3, 15-16 set 4).
std::string UnderlayImageName(int level, int count);
