#pragma once
#include <array>
#include <string_view>

// The story the lab doctor reads before each level: five lines per level, at most 47
// characters each, in Windows-1252 (apostrophes are byte 146). Unused lines are empty and
// always come last. Used exactly as stored: the labels centre them by measured width.
inline constexpr int kStoryLevels = 16;
inline constexpr int kStoryLinesPerLevel = 5;
using TStoryLines = std::array<std::array<std::string_view, kStoryLinesPerLevel>, kStoryLevels>;
extern const TStoryLines StoryLines;

// Line 1..5 of level 1..16; empty outside that range.
std::string_view StoryLine(int level, int line);
